#include "support/rampix_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/x_session.h"

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string findProblems(const std::string& errors) {
    std::string problems, line;
    for (std::istringstream lines(errors); std::getline(lines, line);)
        for (const char* sign :
             {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "OpenGL Error"})
            if (line.find(sign) != std::string::npos) problems += line + "\n";
    return problems;
}

Process::Process(const std::string& workDir, const std::vector<std::string>& environment,
                 const std::vector<std::string>& arguments)
    : outputFile_(workDir + "/.stdout"), errorFile_(workDir + "/.stderr") {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int out = open(outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (const std::string& change : environment) unsetenv(change.substr(0, change.find('=')).c_str());
        for (const std::string& change : environment)
            if (change.find('=') != std::string::npos) putenv(const_cast<char*>(change.c_str()));
        if (chdir(workDir.c_str()) != 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out);
    close(err);
}

bool Process::waitForOutput(const std::string& text, int timeoutMs) {
    for (const long long end = monotonicMs() + timeoutMs; running() && monotonicMs() < end; sleepMs(20))
        if (output().find(text) != std::string::npos) return true;
    return output().find(text) != std::string::npos;
}

bool Process::running() {
    int status;
    if (pid_ <= 0 || status_ != -2) return false;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

int Process::waitForExit(int timeoutMs) {
    for (const long long end = monotonicMs() + timeoutMs; running() && monotonicMs() < end;) sleepMs(10);
    // Still running: killed.
    if (running() && kill(pid_, SIGKILL) == 0 && waitpid(pid_, nullptr, 0) == pid_) status_ = -1;
    return status_;
}

static std::vector<std::string> joined(std::vector<std::string> front, const std::vector<std::string>& back) {
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

RampixProcess::RampixProcess(const std::string& displayName, const std::string& workDir,
                             const std::vector<std::string>& extraEnvironment, const std::string& program,
                             const std::vector<std::string>& arguments)
    : Process(workDir, joined({"DISPLAY=" + displayName, "SDL_AUDIODRIVER=dummy"}, extraEnvironment),
              joined({program.empty() ? RAMPIX_BINARY : program}, arguments)) {}

ScratchFolder::ScratchFolder(bool withData) {
    char pattern[] = "/tmp/rampix-e2e-XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
    if (withData && !path_.empty()) std::filesystem::copy(RAMPIX_DATA_DIR, path_, error_);
}

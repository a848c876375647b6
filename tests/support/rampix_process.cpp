#include "support/rampix_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include "support/x_session.h"

namespace {
long long monotonicMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

void copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

void removeTree(const std::string& path) {
    if (DIR* dir = opendir(path.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
            const std::string child = path + "/" + entry->d_name;
            if (entry->d_type == DT_DIR)
                removeTree(child);
            else
                unlink(child.c_str());
        }
        closedir(dir);
    }
    chmod(path.c_str(), 0755);
    rmdir(path.c_str());
}
}  // namespace

ScratchFolder::ScratchFolder(bool withData) {
    char pattern[] = "/tmp/rampix-e2e-XXXXXX";
    if (mkdtemp(pattern)) path_ = pattern;
    if (!withData || path_.empty()) return;
    if (DIR* dir = opendir(RAMPIX_DATA_DIR)) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.') continue;
            copyFile(std::string(RAMPIX_DATA_DIR) + "/" + entry->d_name, file(entry->d_name));
        }
        closedir(dir);
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty() && !std::getenv("RAMPIX_KEEP_SCRATCH")) removeTree(path_);
}

RampixProcess::RampixProcess(const std::string& displayName, const std::string& workDir,
                             const std::vector<std::string>& extraEnvironment, const std::string& program,
                             const std::vector<std::string>& arguments) {
    errorFile_ = workDir + "/.stderr";
    const std::string path = program.empty() ? RAMPIX_BINARY : program;
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (chdir(workDir.c_str()) != 0) _exit(126);
        dup2(fds[1], 1);
        const int err = open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0) dup2(err, 2);
        close(fds[0]);
        setenv("DISPLAY", displayName.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        for (const std::string& assignment : extraEnvironment) putenv(strdup(assignment.c_str()));
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    stdoutFd_ = fds[0];
    fcntl(stdoutFd_, F_SETFL, O_NONBLOCK);
}

RampixProcess::~RampixProcess() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (stdoutFd_ >= 0) close(stdoutFd_);
}

void RampixProcess::readAvailable(int waitMs) {
    if (stdoutFd_ < 0) return;
    pollfd p{stdoutFd_, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return;
    char buffer[4096];
    ssize_t n;
    while ((n = read(stdoutFd_, buffer, sizeof buffer)) > 0) output_.append(buffer, static_cast<size_t>(n));
}

bool RampixProcess::waitForOutput(const std::string& text, int timeoutMs) {
    const long long deadline = monotonicMs() + timeoutMs;
    do {
        readAvailable(50);
        if (output_.find(text) != std::string::npos) return true;
    } while (monotonicMs() < deadline && running());
    readAvailable(0);
    return output_.find(text) != std::string::npos;
}

const std::string& RampixProcess::output() {
    readAvailable(0);
    return output_;
}

bool RampixProcess::running() {
    if (pid_ <= 0 || status_ != -2) return false;
    int status;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

int RampixProcess::waitForExit(int timeoutMs) {
    const long long deadline = monotonicMs() + timeoutMs;
    while (running() && monotonicMs() < deadline) readAvailable(20);
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        status_ = -1;
    }
    readAvailable(0);
    return status_;
}

std::string RampixProcess::errors() const {
    std::ifstream in(errorFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string findProblems(const std::string& errors) {
    std::string problems;
    std::istringstream lines(errors);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("ERROR: AddressSanitizer") != std::string::npos ||
            line.find("ERROR: LeakSanitizer") != std::string::npos ||
            line.find("runtime error:") != std::string::npos ||
            line.find("OpenGL Error") != std::string::npos)
            problems += line + "\n";
    }
    return problems;
}

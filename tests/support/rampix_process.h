// Programs started in a working folder with environment changes ("NAME=value" sets, "NAME" removes) and
// arguments (the first is the program), standard output and error kept in files there; the build's
// rampix on an X server; a scratch folder with the generated data.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

std::string readText(const std::string& path);
// Sanitizer reports and OpenGL error lines in a standard-error text ("" when clean).
std::string findProblems(const std::string& errors);

class Process {
  public:
    Process(const std::string& workDir, const std::vector<std::string>& environment,
            const std::vector<std::string>& arguments);
    ~Process() { waitForExit(0); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // Waits until standard output so far contains text.
    bool waitForOutput(const std::string& text, int timeoutMs);
    std::string output() const { return readText(outputFile_); }
    std::string errors() const { return readText(errorFile_); }
    bool running();
    // The exit status, or -1 when the process did not end in time (it is then killed).
    int waitForExit(int timeoutMs);
    pid_t pid() const { return pid_; }

  private:
    std::string outputFile_, errorFile_;
    pid_t pid_ = -1;
    int status_ = -2;
};

// program: what to start instead of the build's rampix binary (an installed launcher, say).
struct RampixProcess : Process {
    RampixProcess(const std::string& displayName, const std::string& workDir,
                  const std::vector<std::string>& extraEnvironment = {}, const std::string& program = "",
                  const std::vector<std::string>& arguments = {});
};

struct ScratchFolder {
    explicit ScratchFolder(bool withData = true);
    ~ScratchFolder() { std::filesystem::remove_all(path_, error_); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::string path_;
    std::error_code error_;
};

// The real rampix binary, started in a scratch working folder on a private X server, with its
// standard output read through a pipe and its standard error kept in a file.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A fresh working folder holding a copy of the generated data files; removed again at the end.
class ScratchFolder {
  public:
    explicit ScratchFolder(bool withData = true);
    ~ScratchFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

class RampixProcess {
  public:
    // program: what to start instead of the build's rampix binary (an installed launcher, say).
    RampixProcess(const std::string& displayName, const std::string& workDir,
                  const std::vector<std::string>& extraEnvironment = {}, const std::string& program = "",
                  const std::vector<std::string>& arguments = {});
    ~RampixProcess();
    RampixProcess(const RampixProcess&) = delete;
    RampixProcess& operator=(const RampixProcess&) = delete;

    // Waits until standard output so far contains text.
    bool waitForOutput(const std::string& text, int timeoutMs);
    const std::string& output();
    bool running();
    // The exit status, or -1 when the process did not end in time (it is then killed).
    int waitForExit(int timeoutMs);
    std::string errors() const;
    pid_t pid() const { return pid_; }

  private:
    void readAvailable(int waitMs);

    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    std::string output_;
    std::string errorFile_;
    int status_ = -2;
};

// Sanitizer reports and OpenGL error lines found in a standard-error text ("" when clean).
std::string findProblems(const std::string& errors);

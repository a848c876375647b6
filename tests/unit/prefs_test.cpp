// The preference file: failed saves and the file's protection.
#include "settings/prefs.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/park_actions.h"
#include "support/test_files.h"

namespace {
PrefsRecord defaults() {
    PrefsRecord prefs;
    prefs.setDefaults();
    prefs.cameraMode = 1;
    return prefs;
}
Bytes fileBytes(const PrefsRecord& prefs) {
    Bytes bytes(PrefsRecord::kFileSize);
    prefs.toBytes(bytes.data());
    return bytes;
}

// The preference file lives in the working folder.
struct PrefsFile : ::testing::Test {
    TempFolder folder{true};
    void expectOnlyThePreferenceFile() const {
        EXPECT_EQ(std::system("ls -A | grep -v '^Rampix.pref$' | grep -q ."), 256)
            << "a temporary file is left";
    }
};
}  // namespace

TEST_F(PrefsFile, AFailedSaveReportsFailureAndKeepsTheOldFile) {
    PrefsRecord prefs = defaults();
    ASSERT_EQ(prefs.savePrefs("Rampix"), 0);
    const Bytes old = readFile("Rampix.pref");
    prefs.fovDegrees = 77;
    // A full device: every write past the limit fails. A closed folder is tried by the protection test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous;
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit tiny = previous;
    tiny.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &tiny);
    const int fullResult = prefs.savePrefs("Rampix");
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(fullResult, 1);
    EXPECT_EQ(readFile("Rampix.pref"), old);
    expectOnlyThePreferenceFile();
}

namespace {
mode_t modeOf(const char* path) {
    struct stat info;
    return lstat(path, &info) == 0 ? info.st_mode : 0;
}

// Runs in the working folder as an ordinary user; returns what went wrong ("" when all is well).
std::string checkProtection() {
    std::string wrong;
    auto check = [&wrong](bool ok, const char* what) {
        if (!ok) wrong += std::string(what) + "; ";
    };
    PrefsRecord prefs;
    prefs.setDefaults();
    const Bytes old = fileBytes(prefs);
    prefs.fovDegrees = 42;
    const Bytes fresh = fileBytes(prefs);

    writeFile("Rampix.pref", old);
    chmod("Rampix.pref", 0444);
    Prefs = prefs;
    savePrefsOnCommand();
    check(std::string(StatusLine.text) == "Could NOT Save Prefs", "a read-only file is reported");
    check(readFile("Rampix.pref") == old, "a read-only file keeps its bytes");
    check((modeOf("Rampix.pref") & 07777) == 0444, "a read-only file keeps its mode");
    umask(077);
    for (const mode_t mode : {0600, 0664}) {
        chmod("Rampix.pref", mode);
        check(prefs.savePrefs("Rampix") == 0, "a writable file is saved");
        check(readFile("Rampix.pref") == fresh, "the save wrote the record");
        check((modeOf("Rampix.pref") & 07777) == mode, "a save keeps the file's mode");
    }
    for (const mode_t mask : {022, 027, 0}) {
        umask(mask);
        unlink("Rampix.pref");
        check(prefs.savePrefs("Rampix") == 0, "a new file is saved");
        check((modeOf("Rampix.pref") & 07777) == (0644 & ~mask), "a new file gets 0644 less the umask");
    }

    // A closed working folder fails a save of a plain file and keeps it; a linked file's temporary file
    // goes beside the target, found through a chain of relative links, each read from its own folder.
    writeFile("Rampix.pref", old);
    chmod(".", 0555);
    check(prefs.savePrefs("Rampix") == 1, "a save into a closed folder fails");
    chmod(".", 0755);
    check(readFile("Rampix.pref") == old, "a failed save keeps the old file");
    unlink("Rampix.pref");
    mkdir("settings", 0755);
    writeFile("settings/real.pref", old);
    chmod("settings/real.pref", 0640);
    symlink("real.pref", "settings/link.pref");
    symlink("settings/link.pref", "Rampix.pref");
    chmod(".", 0555);
    check(prefs.savePrefs("Rampix") == 0, "a linked file is saved");
    chmod(".", 0755);
    check(S_ISLNK(modeOf("Rampix.pref")), "the link survives");
    check(readFile("settings/real.pref") == fresh, "the linked file holds the record");
    check((modeOf("settings/real.pref") & 07777) == 0640, "the linked file keeps its mode");
    check(std::system("ls -A settings | grep -qv '^real.pref$\\|^link.pref$'") != 0,
          "no temporary file is left");
    return wrong;
}
}  // namespace

// A save respects the preference file's protection: read-only files stay, modes are kept, links are
// followed. Permissions mean nothing to root, so the checks run in a child process as an ordinary user
// (nobody, 65534, when the test runs as root); the child reports on its error output.
TEST(PrefsProtection, ReadOnlyFilesStayModesAreKeptAndLinksAreFollowed) {
    constexpr uid_t kNobody = 65534;
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ready = chdir(folder.path.c_str()) == 0;
        if (ready && geteuid() == 0)
            ready = chown(".", kNobody, kNobody) == 0 && setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 &&
                    setuid(kNobody) == 0;
        const std::string wrong = !ready                   ? "could not become an ordinary user"
                                  : access("/", W_OK) == 0 ? "still privileged"
                                                           : checkProtection();
        std::fprintf(stderr, "%s\n", wrong.c_str());
        _exit(wrong.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child's report is above";
}

// A save respects the preference file's protection: read-only files stay, modes are kept, links are
// followed. Permissions mean nothing to root, so the checks run in a child process as an ordinary user.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/globals.h"
#include "app/park_actions.h"
#include "settings/prefs.h"
#include "support/test_files.h"

namespace {
constexpr uid_t kNobody = 65534;

mode_t modeOf(const char* path) {
    struct stat info;
    return lstat(path, &info) == 0 ? info.st_mode : 0;
}

Bytes bytesOf(const PrefsRecord& prefs) {
    Bytes bytes(PrefsRecord::kFileSize);
    prefs.toBytes(bytes.data());
    return bytes;
}

// Runs in the working folder as an ordinary user; returns what went wrong ("" when all is well).
std::string checkProtection() {
    std::string wrong;
    auto check = [&wrong](bool ok, const char* what) {
        if (!ok) wrong += std::string(what) + "; ";
    };
    PrefsRecord prefs;
    prefs.setDefaults();
    const Bytes old = bytesOf(prefs);
    prefs.fovDegrees = 42;
    const Bytes fresh = bytesOf(prefs);

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
    // goes beside the target.
    writeFile("Rampix.pref", old);
    chmod(".", 0555);
    check(prefs.savePrefs("Rampix") == 1, "a save into a closed folder fails");
    chmod(".", 0755);
    check(readFile("Rampix.pref") == old, "a failed save keeps the old file");
    unlink("Rampix.pref");
    mkdir("settings", 0755);
    writeFile("settings/real.pref", old);
    chmod("settings/real.pref", 0640);
    symlink("settings/real.pref", "Rampix.pref");
    chmod(".", 0555);
    check(prefs.savePrefs("Rampix") == 0, "a linked file is saved");
    chmod(".", 0755);
    check(S_ISLNK(modeOf("Rampix.pref")), "the link survives");
    check(readFile("settings/real.pref") == fresh, "the linked file holds the record");
    check((modeOf("settings/real.pref") & 07777) == 0640, "the linked file keeps its mode");
    check(std::system("ls -A settings | grep -qv '^real.pref$'") != 0, "no temporary file is left");
    return wrong;
}
}  // namespace

TEST(PrefsProtection, ReadOnlyFilesStayModesAreKeptAndLinksAreFollowed) {
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        bool ready = chdir(folder.path.c_str()) == 0;
        if (ready && geteuid() == 0)
            ready = chown(".", kNobody, kNobody) == 0 && setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 &&
                    setuid(kNobody) == 0;
        const std::string wrong = !ready                   ? "could not become an ordinary user"
                                  : access("/", W_OK) == 0 ? "still privileged"
                                                           : checkProtection();
        const ssize_t written = write(report[1], wrong.data(), wrong.size());
        _exit(written == static_cast<ssize_t>(wrong.size()) ? 0 : 1);
    }
    close(report[1]);
    std::string wrong;
    char buffer[256];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
        wrong.append(buffer, static_cast<size_t>(n));
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(wrong, "");
}

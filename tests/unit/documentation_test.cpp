// README.md and the manual page say what the program does: every key of the help screen with its text,
// every data file, and the preference words with the defaults and ranges the settings table has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "settings/prefs.h"
#include "support/test_files.h"
#include "ui/help_screens.h"

namespace {
using Lines = std::vector<std::string>;

// The text with Markdown and manual page markup removed and blanks collapsed.
std::string plain(const std::string& path) {
    const Bytes bytes = readFile(std::string(RAMPIX_SOURCE_DIR) + "/" + path);
    std::string text(bytes.begin(), bytes.end());
    for (const auto& [escape, by] : {std::pair{"\\(ga", "`"},
                                     {"\\(aq", "'"},
                                     {"\\-", "-"},
                                     {"\\&", ""},
                                     {"\\fB", ""},
                                     {"\\fI", ""},
                                     {"\\fR", ""},
                                     {"\\fP", ""},
                                     {"\\e", "\\"},
                                     {"\n.TP\n", " "},
                                     {"\n.B ", " "},
                                     {"\\", ""},
                                     {"`", ""},
                                     {"|", " "},
                                     {"\"", " "}})
        for (size_t at; (at = text.find(escape)) != std::string::npos;)
            text.replace(at, std::strlen(escape), by);
    std::istringstream words(text);
    std::string result, word;
    while (words >> word) result += " " + word;
    return result + " ";
}

// The cells of the README's preference table, header and separator rows left out.
std::vector<Lines> prefsRows() {
    const Bytes bytes = readFile(std::string(RAMPIX_SOURCE_DIR) + "/README.md");
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<Lines> rows;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) inside = line == "## The preference file";
        if (!inside || line.empty() || line[0] != '|') continue;
        Lines cells;
        for (size_t from = 1, bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1) {
            std::string cell;
            for (char c : line.substr(from, bar - from))
                if (c != '`' && c != ' ') cell += c;
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    if (rows.size() >= 2) rows.erase(rows.begin(), rows.begin() + 2);
    return rows;
}
}  // namespace

TEST(Documentation, ReadmeAndManualPageListEveryKeyAndDataFile) {
    const std::string readme = plain("README.md"), man = plain("packaging/rampix.6");
    int keys = 0;
    const auto check = [&](const auto& lines) {
        for (const HelpLine& line : lines) {
            if (line.kind != HelpLineKind::Key) continue;
            std::string raw = line.text;  // markup characters are gone from the documents' text
            for (char c : std::string("`\\|\"")) raw.erase(std::remove(raw.begin(), raw.end(), c), raw.end());
            std::istringstream words(raw);
            std::string text, word;
            while (words >> word) text += " " + word;
            EXPECT_NE(readme.find(text + " "), std::string::npos) << text;
            EXPECT_NE(man.find(text + " "), std::string::npos) << text;
            ++keys;
        }
    };
    check(kSpecialControlLines);
    check(kStandardControlLines);
    EXPECT_EQ(keys, 36);
    for (const auto& entry : std::filesystem::directory_iterator(RAMPIX_DATA_DIR)) {
        const std::string name = " " + entry.path().filename().string();
        EXPECT_NE(readme.find(name), std::string::npos) << name;
        EXPECT_NE(man.find(name), std::string::npos) << name;
    }
}

TEST(Documentation, ReadmePreferenceTableMatchesTheSettingsTable) {
    const std::vector<Lines> rows = prefsRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(PrefsRecord::kWordCount));
    EXPECT_EQ(std::strtoul(rows[0].at(3).c_str(), nullptr, 16), PrefsRecord::kHeaderWord);
    for (int word = 1; word < PrefsRecord::kWordCount; ++word) {
        const PrefsField& field = kPrefsFields[word - 1];
        const Lines& row = rows[word];
        ASSERT_EQ(row.size(), 5u) << field.name;
        EXPECT_EQ(row[0] + row[1] + row[2],
                  std::to_string(4 * word) + field.name + (field.intField ? "int" : "float"));
        EXPECT_EQ(static_cast<float>(std::strtod(row[3].c_str(), nullptr)), field.defaultValue) << field.name;
        // "a..b" marks exactly the ranges that a load enforces.
        const bool clamped = field.safeMin <= field.safeMax;
        const std::string range =
            clamped ? std::to_string(field.safeMin) + ".." + std::to_string(field.safeMax) : "..";
        EXPECT_EQ(row[4].find(range) != std::string::npos, clamped) << field.name << ": " << row[4];
    }
}

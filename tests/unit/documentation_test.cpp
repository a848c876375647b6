// README.md's preference table gives every word of the file with the defaults and ranges a load uses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "settings/prefs.h"
#include "support/test_files.h"

TEST(Documentation, ReadmePreferenceTableMatchesTheSettingsTable) {
    const Bytes bytes = readFile(std::string(RAMPIX_SOURCE_DIR) + "/README.md");
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::vector<std::string>> rows;  // cells without blanks and backquotes
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) inside = line == "## The preference file";
        if (!inside || line.empty() || line[0] != '|') continue;
        rows.emplace_back();
        for (size_t from = 1, bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1) {
            std::string cell;
            for (char c : line.substr(from, bar - from))
                if (c != '`' && c != ' ') cell += c;
            rows.back().push_back(cell);
        }
    }
    ASSERT_EQ(rows.size(), static_cast<size_t>(PrefsRecord::kWordCount) + 2);  // with header, separator
    EXPECT_EQ(std::strtoul(rows[2].at(3).c_str(), nullptr, 16), PrefsRecord::kHeaderWord);
    for (int word = 1; word < PrefsRecord::kWordCount; ++word) {
        const PrefsField& field = kPrefsFields[word - 1];
        const std::vector<std::string>& row = rows[word + 2];
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

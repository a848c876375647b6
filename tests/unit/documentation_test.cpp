// README.md and the manual page say what the program does: every key of the help screen with its
// text, every preference word as the settings table has it, and every data file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "settings/prefs.h"
#include "ui/help_screens.h"

namespace {
using KeyLines = std::vector<std::pair<std::string, std::string>>;  // key, what it does
using Lines = std::vector<std::string>;

const std::string kSource = RAMPIX_SOURCE_DIR;

Lines readLines(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    Lines lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string normalised(const std::string& text) {
    std::istringstream words(text);
    std::string result, word;
    while (words >> word) result += (result.empty() ? "" : " ") + word;
    return result;
}

template <int N>
KeyLines helpKeys(const HelpLine (&lines)[N]) {
    KeyLines keys;
    for (const HelpLine& line : lines) {
        const std::string text = line.text;
        if (line.kind == HelpLineKind::Key)
            keys.emplace_back(normalised(text.substr(0, kHelpKeyColumn)),
                              normalised(text.substr(kHelpKeyColumn)));
    }
    return keys;
}

// The lines after the one equal to `start` up to the next one starting with `end`.
Lines section(const Lines& lines, const std::string& start, const std::string& end) {
    Lines part;
    bool inside = false;
    for (const std::string& line : lines) {
        if (inside && line.compare(0, end.size(), end) == 0) break;
        if (inside) part.push_back(line);
        inside = inside || line == start;
    }
    EXPECT_TRUE(inside) << start;
    return part;
}

// A Markdown table cell as shown: the code-span ticks around it and backslash escapes removed.
std::string cellText(std::string cell) {
    cell = normalised(cell);
    for (const std::string ticks : {"``", "`"}) {
        const size_t n = ticks.size();
        if (cell.size() >= 2 * n && cell.compare(0, n, ticks) == 0 &&
            cell.compare(cell.size() - n, n, ticks) == 0) {
            cell = normalised(cell.substr(n, cell.size() - 2 * n));
            break;
        }
    }
    std::string plain;
    for (size_t i = 0; i < cell.size(); ++i)
        plain += cell[i] == '\\' && i + 1 < cell.size() ? cell[++i] : cell[i];
    return plain;
}

// The rows of the first table in the lines, header and separator left out.
std::vector<Lines> tableRows(const Lines& lines) {
    std::vector<Lines> rows;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] != '|') {
            if (!rows.empty()) break;
            continue;
        }
        Lines cells;
        for (size_t from = 1, bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1) {
            cells.push_back(cellText(line.substr(from, bar - from)));
        }
        rows.push_back(cells);
    }
    if (rows.size() >= 2) rows.erase(rows.begin(), rows.begin() + 2);
    return rows;
}

// A manual page line with its font and character escapes resolved.
std::string roffText(std::string line) {
    static const std::pair<const char*, const char*> kEscapes[] = {
        {"\\(ga", "`"}, {"\\(aq", "'"}, {"\\-", "-"}, {"\\&", ""},  {"\\fB", ""},
        {"\\fI", ""},   {"\\fR", ""},   {"\\fP", ""}, {"\\e", "\\"}};
    for (const auto& [escape, text] : kEscapes) {
        for (size_t at; (at = line.find(escape)) != std::string::npos;)
            line.replace(at, std::strlen(escape), text);
    }
    if (line.compare(0, 3, ".B ") == 0) line = line.substr(3);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
    return normalised(line);
}

// The tagged paragraphs of a manual page section: the tag, then the first line of the paragraph.
KeyLines manKeys(const Lines& lines) {
    KeyLines keys;
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i] == ".TP") keys.emplace_back(roffText(lines[i + 1]), roffText(lines[i + 2]));
    }
    return keys;
}
}  // namespace

TEST(Documentation, ReadmeAndManualPageListEveryKeyOfTheHelpScreen) {
    const KeyLines special = helpKeys(kSpecialControlLines), standard = helpKeys(kStandardControlLines);
    ASSERT_EQ(special.size() + standard.size(), 36u);
    KeyLines readme, both = special;
    both.insert(both.end(), standard.begin(), standard.end());
    for (const Lines& row : tableRows(section(readLines(kSource + "/README.md"), "## Controls", "## "))) {
        ASSERT_GE(row.size(), 2u);
        readme.emplace_back(row[0], row[1]);
    }
    EXPECT_EQ(readme, both);
    const Lines man = readLines(kSource + "/packaging/rampix.6");
    EXPECT_EQ(manKeys(section(man, ".SS \"Special controls\"", ".S")), special);
    EXPECT_EQ(manKeys(section(man, ".SS \"Standard controls\"", ".S")), standard);
}

TEST(Documentation, ReadmePreferenceTableMatchesTheSettingsTable) {
    const std::vector<Lines> rows =
        tableRows(section(readLines(kSource + "/README.md"), "## The preference file", "## "));
    ASSERT_EQ(rows.size(), static_cast<size_t>(PrefsRecord::kWordCount));
    ASSERT_EQ(rows[0].size(), 5u);
    EXPECT_EQ(rows[0][1], "header");
    EXPECT_EQ(std::strtoul(rows[0][3].c_str(), nullptr, 16), PrefsRecord::kHeaderWord);
    for (int word = 1; word < PrefsRecord::kWordCount; ++word) {
        const PrefsField& field = kPrefsFields[word - 1];
        const Lines& row = rows[word];
        ASSERT_EQ(row.size(), 5u) << field.name;
        EXPECT_EQ(row[0], std::to_string(4 * word)) << field.name;
        EXPECT_EQ(row[1], field.name);
        EXPECT_EQ(row[2], field.intField ? "int" : "float") << field.name;
        EXPECT_EQ(static_cast<float>(std::strtod(row[3].c_str(), nullptr)), field.defaultValue) << field.name;
        // "a..b" marks exactly the ranges that a load enforces.
        const bool clamped = field.safeMin <= field.safeMax;
        const std::string range =
            clamped ? std::to_string(field.safeMin) + ".." + std::to_string(field.safeMax) : "..";
        EXPECT_EQ(row[4].find(range) != std::string::npos, clamped) << field.name << ": " << row[4];
    }
}

TEST(Documentation, ReadmeAndManualPageNameEveryDataFile) {
    std::ifstream in(kSource + "/README.md");
    const std::string readme(std::istreambuf_iterator<char>(in), {});
    std::string files;
    for (const std::string& line : section(readLines(kSource + "/packaging/rampix.6"), ".SH FILES", ".SH"))
        files += roffText(line) + "\n";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(RAMPIX_DATA_DIR)) {
        const std::string name = entry.path().filename().string(), type = entry.path().extension().string();
        if (type != ".bmp" && type != ".wav") continue;
        EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << name;
        EXPECT_NE(files.find(name), std::string::npos) << name;
        ++count;
    }
    EXPECT_EQ(count, 17);
    for (const char* name : {"Rampix.pref", "$XDG_DATA_HOME/rampix/", "~/.local/share/rampix/"})
        EXPECT_NE(files.find(name), std::string::npos) << name;
}

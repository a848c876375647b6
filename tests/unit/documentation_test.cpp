// README.md and the manual page say what the program does: every key of the help screen with its
// text, every preference word as the settings table has it, and every data file.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "settings/prefs.h"
#include "ui/help_screens.h"

namespace {
using KeyLine = std::pair<std::string, std::string>;  // key, what it does
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
std::vector<KeyLine> keyLines(const HelpLine (&lines)[N]) {
    std::vector<KeyLine> keys;
    for (const HelpLine& line : lines) {
        if (line.kind != HelpLineKind::Key) continue;
        const std::string text = line.text;
        keys.emplace_back(normalised(text.substr(0, kHelpKeyColumn)),
                          normalised(text.substr(kHelpKeyColumn)));
    }
    return keys;
}

// The lines from the one starting with `start` up to the next one starting with a prefix of `end`.
Lines section(const Lines& lines, const std::string& start, const std::string& end) {
    Lines part;
    bool inside = false;
    for (const std::string& line : lines) {
        if (inside && line.compare(0, end.size(), end) == 0) break;
        if (inside) part.push_back(line);
        if (line == start) inside = true;
    }
    EXPECT_TRUE(inside) << start;
    return part;
}

// A table cell as Markdown shows it: code-span ticks and backslash escapes removed.
std::string cellText(std::string cell) {
    cell = normalised(cell);
    for (const char* ticks : {"``", "`"}) {
        const std::string t = ticks;
        if (cell.size() >= 2 * t.size() && cell.compare(0, t.size(), t) == 0 &&
            cell.compare(cell.size() - t.size(), t.size(), t) == 0) {
            cell = normalised(cell.substr(t.size(), cell.size() - 2 * t.size()));
            break;
        }
    }
    std::string plain;
    for (size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == '\\' && i + 1 < cell.size()) ++i;
        plain += cell[i];
    }
    return plain;
}

// The rows of the first table in the lines, header and separator left out.
std::vector<Lines> tableRows(const Lines& lines) {
    std::vector<Lines> rows;
    bool inTable = false;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] != '|') {
            if (inTable) break;
            continue;
        }
        inTable = true;
        Lines cells;
        std::string cell;
        for (size_t i = 1; i < line.size(); ++i) {
            if (line[i] == '|') {
                cells.push_back(cellText(cell));
                cell.clear();
            } else {
                cell += line[i];
            }
        }
        rows.push_back(cells);
    }
    if (rows.size() >= 2) rows.erase(rows.begin(), rows.begin() + 2);
    return rows;
}

// Text of a manual page line with the font and character escapes it uses resolved.
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

// The tagged paragraphs of a manual page section: tag line, then the first line of the paragraph.
std::vector<KeyLine> manKeyLines(const Lines& lines) {
    std::vector<KeyLine> keys;
    for (size_t i = 0; i + 2 < lines.size(); ++i) {
        if (lines[i] == ".TP") keys.emplace_back(roffText(lines[i + 1]), roffText(lines[i + 2]));
    }
    return keys;
}

std::string joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += roffText(line) + "\n";
    return text;
}

void expectSameKeys(const std::vector<KeyLine>& documented, const std::vector<KeyLine>& shown,
                    const char* where) {
    EXPECT_EQ(documented.size(), shown.size()) << where;
    for (size_t i = 0; i < documented.size() && i < shown.size(); ++i)
        EXPECT_EQ(documented[i], shown[i]) << where << ", key line " << i;
}

std::vector<std::string> dataFiles() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(RAMPIX_DATA_DIR)) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 &&
                (name.rfind(".bmp") == name.size() - 4 || name.rfind(".wav") == name.size() - 4))
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}
}  // namespace

TEST(Documentation, ReadmeAndManualPageListEveryKeyOfTheHelpScreen) {
    const std::vector<KeyLine> special = keyLines(kSpecialControlLines);
    const std::vector<KeyLine> standard = keyLines(kStandardControlLines);
    ASSERT_EQ(special.size() + standard.size(), 36u);

    std::vector<KeyLine> readme;
    for (const Lines& row : tableRows(section(readLines(kSource + "/README.md"), "## Controls", "## "))) {
        ASSERT_GE(row.size(), 2u);
        readme.emplace_back(row[0], row[1]);
    }
    std::vector<KeyLine> both = special;
    both.insert(both.end(), standard.begin(), standard.end());
    expectSameKeys(readme, both, "README.md controls table");

    const Lines man = readLines(kSource + "/packaging/rampix.6");
    expectSameKeys(manKeyLines(section(man, ".SS \"Special controls\"", ".S")), special,
                   "rampix.6 special controls");
    expectSameKeys(manKeyLines(section(man, ".SS \"Standard controls\"", ".S")), standard,
                   "rampix.6 standard controls");
}

TEST(Documentation, ReadmePreferenceTableMatchesTheSettingsTable) {
    const std::vector<Lines> rows =
        tableRows(section(readLines(kSource + "/README.md"), "## The preference file", "## "));
    ASSERT_EQ(rows.size(), static_cast<size_t>(PrefsRecord::kWordCount));
    ASSERT_EQ(rows[0].size(), 5u);
    EXPECT_EQ(rows[0][0], "0");
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
        const bool clamped = field.intField && field.safeMin <= field.safeMax;
        const std::string range = std::to_string(field.safeMin) + ".." + std::to_string(field.safeMax);
        if (clamped)
            EXPECT_NE(row[4].find(range), std::string::npos) << field.name << ": " << row[4];
        else
            EXPECT_EQ(row[4].find(".."), std::string::npos) << field.name << ": " << row[4];
    }
}

TEST(Documentation, ReadmeAndManualPageNameEveryDataFile) {
    const std::vector<std::string> names = dataFiles();
    ASSERT_EQ(names.size(), 17u);
    std::ifstream in(kSource + "/README.md");
    const std::string readme(std::istreambuf_iterator<char>(in), {});
    const std::string files = joined(section(readLines(kSource + "/packaging/rampix.6"), ".SH FILES", ".SH"));
    for (const std::string& name : names) {
        EXPECT_NE(readme.find("`" + name + "`"), std::string::npos) << name;
        EXPECT_NE(files.find(name), std::string::npos) << name;
    }
    EXPECT_NE(files.find("Rampix.pref"), std::string::npos);
    EXPECT_NE(files.find("$XDG_DATA_HOME/rampix/"), std::string::npos);
    EXPECT_NE(files.find("~/.local/share/rampix/"), std::string::npos);
}

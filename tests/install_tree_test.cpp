// The shipped install tree (install/): thread table files in the formats the
// component reads, the registry values and host settings, the texture picture.  The tables are
// generated from reference CSVs by tools/gen_thread_tables.py, one standard per nominal size of a
// series, the settings by tools/gen_settings.py;
// this test does not read those CSVs (CI may not have them), it checks the rules every
// shipped file must keep and a few values taken from the standards.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#ifndef ZELVA_SOURCE_DIR
#error "ZELVA_SOURCE_DIR (the repository root) must be defined"
#endif

namespace fs = std::filesystem;

namespace {

const fs::path kInstall = fs::path(ZELVA_SOURCE_DIR) / "install";
const fs::path kApplDir = kInstall / "Tessalo";

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Splits a text that must use CR LF throughout and end with CR LF.  Any lone CR or LF,
// or a missing final CR LF, is reported in *problem.
std::vector<std::string> crlfLines(const std::string& text, std::string* problem) {
    std::vector<std::string> lines;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') {
                *problem = "lone CR after line " + std::to_string(lines.size() + 1);
                return lines;
            }
            lines.push_back(cur);
            cur.clear();
            ++i;
        } else if (c == '\n') {
            *problem = "bare LF at line " + std::to_string(lines.size() + 1);
            return lines;
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) *problem = "last line has no CR LF";
    return lines;
}

std::vector<std::string> linesOf(const fs::path& p) {
    std::string problem;
    auto lines = crlfLines(readBytes(p), &problem);
    EXPECT_EQ(problem, "") << p;
    return lines;
}

// Trimmed as the table readers mean it: only the space character is removed.
std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Windows path as the component composes it (backslashes, %INSTALLDIR% for ApplDir)
// mapped onto this tree.
fs::path toLocal(std::string windowsPath) {
    const std::string tag = "%INSTALLDIR%";
    if (windowsPath.rfind(tag, 0) == 0) windowsPath = kApplDir.string() + windowsPath.substr(tag.size());
    std::replace(windowsPath.begin(), windowsPath.end(), '\\', '/');
    return windowsPath;
}

// A plain positive decimal number: digits, optionally a point and more digits.
std::optional<double> plainNumber(const std::string& s, int* decimals = nullptr) {
    if (s.empty() || s.front() == '.' || s.back() == '.') return std::nullopt;
    int points = 0;
    for (char c : s) {
        if (c == '.') ++points;
        else if (c < '0' || c > '9') return std::nullopt;
    }
    if (points > 1) return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    if (decimals) *decimals = points ? static_cast<int>(s.size() - s.find('.') - 1) : 0;
    return v;
}

bool contains(const std::vector<double>& v, double x) {
    return std::any_of(v.begin(), v.end(), [x](double a) { return std::abs(a - x) < 1e-9; });
}

// ------------------------------------------------------------------ registry file

using RegKeys = std::map<std::string, std::map<std::string, std::string>>;

// Minimal REGEDIT4 reader: [key] lines and "name"="string" values with \\ and \" escapes.
RegKeys readReg(const fs::path& p) {
    RegKeys keys;
    const auto lines = linesOf(p);
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return keys;
    EXPECT_EQ(lines[0], "REGEDIT4") << p;
    std::string key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.empty()) continue;
        if (l.front() == '[') {
            EXPECT_EQ(l.back(), ']') << p << ": " << l;
            key = l.substr(1, l.size() - 2);
            EXPECT_EQ(keys.count(key), 0u) << "key twice: " << key;
            keys[key];
            continue;
        }
        EXPECT_FALSE(key.empty()) << p << ": value before any key: " << l;
        // "name"="value"
        EXPECT_EQ(l.front(), '"') << l;
        const auto eq = l.find("\"=\"");
        if (eq == std::string::npos) {
            ADD_FAILURE() << p << ": not a string value: " << l;
            continue;
        }
        EXPECT_EQ(l.back(), '"') << l;
        const std::string name = l.substr(1, eq - 1);
        std::string value;
        const std::string raw = l.substr(eq + 3, l.size() - eq - 4);
        for (std::size_t k = 0; k < raw.size(); ++k) {
            if (raw[k] == '\\') {
                EXPECT_LT(k + 1, raw.size()) << "dangling backslash: " << l;
                if (k + 1 >= raw.size()) break;
                EXPECT_TRUE(raw[k + 1] == '\\' || raw[k + 1] == '"') << "bad escape: " << l;
                value += raw[++k];
            } else {
                EXPECT_NE(raw[k], '"') << "unescaped quote: " << l;
                value += raw[k];
            }
        }
        EXPECT_EQ(keys[key].count(name), 0u) << "value twice: " << name;
        keys[key][name] = value;
    }
    return keys;
}

const char* const kProductKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo";
const char* const kComponentKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin";

struct Group {
    const char* caption;  // Norme#n
    const char* dir;      // folder below Norme
    std::vector<std::string> standards;  // the standards its tables follow
};

const std::vector<Group> kGroups = {
    {"ISO metric", "ISO", {"ISO 261", "ISO 262"}},
    {"Unified inch", "UN", {"ASME B1.1"}},
    {"Pipe & Tr", "PIPE", {"ISO 228-1", "ISO 2904"}},
};

// The multiplication sign of "M10×1.25" in Windows-1252.
const std::string kTimes = "\xD7";

// ------------------------------------------------------------------ table files

struct IndexEntry {
    int line;
    std::string dataFile, name, description;
};

// Reads section [1] the way QNorma/QData do and checks the shipped layout:
// comments only before the header, the header exactly "[1]", a closing "[" line.
std::vector<IndexEntry> readIndex(const fs::path& p) {
    std::vector<IndexEntry> entries;
    const auto lines = linesOf(p);
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != "[1]") {
        EXPECT_TRUE(!lines[i].empty() && lines[i][0] == '#')
            << p << " line " << i + 1 << " before [1] is not a comment: " << lines[i];
        ++i;
    }
    EXPECT_LT(i, lines.size()) << p << ": no header line [1]";
    EXPECT_GT(i, 0u) << p << ": no comment lines before [1]";
    bool closed = false;
    for (++i; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (!l.empty() && l[0] == '[') { closed = true; break; }
        if (l.empty() || l[0] == '#') continue;
        // Four quoted fields: data file, name shown, description, nominal diameter.
        EXPECT_EQ(std::count(l.begin(), l.end(), '"'), 8) << p << " line " << i + 1 << ": " << l;
        std::vector<std::size_t> q;
        for (std::size_t k = 0; k < l.size(); ++k)
            if (l[k] == '"') q.push_back(k);
        if (q.size() != 8) continue;
        EXPECT_EQ(q[0], 0u) << "entry should begin with its first quote: " << l;
        for (std::size_t gap : {1u, 3u, 5u}) EXPECT_EQ(trim(l.substr(q[gap] + 1, q[gap + 1] - q[gap] - 1)), "") << l;
        EXPECT_EQ(q[7], l.size() - 1) << "text after the last quote: " << l;
        EXPECT_GT(std::stod(l.substr(q[6] + 1, q[7] - q[6] - 1)), 0.0) << "nominal diameter: " << l;
        entries.push_back({static_cast<int>(i + 1), l.substr(q[0] + 1, q[1] - q[0] - 1),
                           l.substr(q[2] + 1, q[3] - q[2] - 1), l.substr(q[4] + 1, q[5] - q[4] - 1)});
    }
    EXPECT_TRUE(closed) << p << ": section [1] is not followed by a line beginning with [";
    return entries;
}

struct DataFile {
    std::vector<std::string> comments;
    std::vector<std::string> lengths, pitches;
    int lengthSections = 0, pitchSections = 0;
};

// Reads a data file the way the component's data file reader does, and holds the shipped files to the
// stricter layout: outside the sections only comments and blank lines, inside only
// items, every section closed by a blank line, the file ending with that blank line.
DataFile readData(const fs::path& p) {
    DataFile d;
    const std::string text = readBytes(p);
    std::string problem;
    const auto lines = crlfLines(text, &problem);
    EXPECT_EQ(problem, "") << p;
    EXPECT_TRUE(text.size() >= 4 && text.compare(text.size() - 4, 4, "\r\n\r\n") == 0)
        << p << ": the file does not end with a blank line";
    EXPECT_TRUE(!lines.empty() && !lines[0].empty() && lines[0][0] == '#')
        << p << ": the file does not start with a comment";

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::string t = trim(l);
        if (!l.empty() && l[0] == '#') { d.comments.push_back(l); continue; }
        if (t.empty()) continue;
        std::vector<std::string>* list = nullptr;
        if (t == "[Lunghezze]") { list = &d.lengths; ++d.lengthSections; }
        else if (t == "[Passi]") { list = &d.pitches; ++d.pitchSections; }
        EXPECT_NE(list, nullptr) << p << " line " << i + 1 << " outside a section: " << l;
        EXPECT_EQ(l, t) << p << ": header with blanks: " << l;
        if (!list) continue;
        list->clear();
        bool closed = false;
        for (++i; i < lines.size(); ++i) {
            const std::string item = trim(lines[i]);
            if (item.empty()) { closed = true; break; }
            EXPECT_NE(lines[i][0], '#') << p << ": comment inside a section";
            EXPECT_EQ(lines[i], item) << p << ": item with blanks around it";
            list->push_back(item);
        }
        EXPECT_TRUE(closed) << p << ": section " << t << " runs to the end of the file";
    }
    EXPECT_EQ(d.lengthSections, 1) << p;
    EXPECT_EQ(d.pitchSections, 1) << p;
    return d;
}

// Items as numbers; every item must be a plain positive number, strictly
// ascending when `ascending` (lengths), all different otherwise (pitches).
std::vector<double> numbers(const std::vector<std::string>& items, const std::string& what,
                            int maxDecimals, bool ascending = true) {
    std::vector<double> v;
    for (const auto& s : items) {
        int decimals = 0;
        const auto x = plainNumber(s, &decimals);
        EXPECT_TRUE(x.has_value()) << what << ": not a plain number: '" << s << "'";
        if (!x) continue;
        EXPECT_GT(*x, 0.0) << what << ": " << s;
        EXPECT_LE(decimals, maxDecimals) << what << ": " << s;
        if (ascending && !v.empty()) {
            EXPECT_LT(v.back(), *x) << what << ": not ascending at " << s;
        }
        EXPECT_FALSE(contains(v, *x)) << what << ": twice " << s;
        v.push_back(*x);
    }
    EXPECT_FALSE(v.empty()) << what << ": empty list";
    return v;
}

fs::path dataPath(const Group& g, const std::string& file) {
    return kApplDir / "Norme" / g.dir / "Data" / file;
}

std::vector<IndexEntry> entriesOf(const Group& g) { return readIndex(kApplDir / "Norme" / g.dir / "Norme.ini"); }

// The data file of the standard shown as `name` in any group.
DataFile readTable(const std::string& name) {
    for (const auto& g : kGroups)
        for (const auto& e : entriesOf(g))
            if (e.name == name) return readData(dataPath(g, e.dataFile));
    ADD_FAILURE() << "no standard named " << name;
    return {};
}

std::vector<double> pitchesOf(const std::string& name, int maxDecimals) {
    return numbers(readTable(name).pitches, name + " [Passi]", maxDecimals, false);
}

std::vector<double> lengthsOf(const std::string& name) {
    return numbers(readTable(name).lengths, name + " [Lunghezze]", 1);
}

// The inch pitches are 25.4 / TPI rounded half-up to 4 decimals, TPI a whole or half number.
bool isInchPitch(double p) {
    for (int twiceTpi = 8; twiceTpi <= 400; ++twiceTpi) {
        const double exact = 25.4 / (twiceTpi / 2.0);
        if (std::abs(std::floor(exact * 10000.0 + 0.5) / 10000.0 - p) < 1e-9) return true;
    }
    return false;
}

// ------------------------------------------------------------------ tests: every file

TEST(InstallTree, EveryTextFileIsWindows1252WithCrLfLineEnds) {
    ASSERT_TRUE(fs::is_directory(kApplDir)) << kApplDir;
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(kInstall)) {
        if (!e.is_regular_file()) continue;
        const std::string ext = e.path().extension().string();
        if (ext == ".jpg") continue;
        EXPECT_TRUE(ext == ".ini" || ext == ".tab" || ext == ".reg") << "unexpected file " << e.path();
        ++files;
        const std::string text = readBytes(e.path());
        EXPECT_FALSE(text.empty()) << e.path();
        for (unsigned char c : text)
            if (!(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7f) || c >= 0xA0)) {
                ADD_FAILURE() << e.path() << ": byte " << int(c) << " is not a printable Windows-1252 character";
                break;
            }
        std::string problem;
        crlfLines(text, &problem);
        EXPECT_EQ(problem, "") << e.path();
    }
    EXPECT_GE(files, 3 + 150 + 3);  // 3 index files, a data file a size, 2 .reg and host-settings.ini
}

// ------------------------------------------------------------------ tests: settings

TEST(InstallTree, RegistryFileForWindowsHoldsTheComponentSettings) {
    const RegKeys keys = readReg(kInstall / "Tessalo.reg");
    ASSERT_EQ(keys.size(), 2u);
    const auto& product = keys.at(kProductKey);
    EXPECT_EQ(product.at("ApplDir"), "C:\\Program Files\\Ombrivale\\Tessalo");
    EXPECT_EQ(product.at("Language"), "English");
    EXPECT_EQ(product.size(), 2u);

    const auto& comp = keys.at(kComponentKey);
    EXPECT_EQ(comp.at("File Prefs"), "\\Zelvacorin.prf");
    for (std::size_t n = 0; n < kGroups.size(); ++n) {
        const std::string i = std::to_string(n);
        EXPECT_EQ(comp.at("Norme#" + i), kGroups[n].caption);
        EXPECT_EQ(comp.at("Norme Dir#" + i), std::string("\\Norme\\") + kGroups[n].dir + "\\");
        EXPECT_EQ(comp.at("Data#" + i), "Data\\");
        EXPECT_EQ(comp.at("File INI#" + i), "Norme.ini");
    }
    EXPECT_EQ(comp.count("Norme#3"), 0u);  // the tab list ends at the first absent value
    EXPECT_EQ(comp.size(), 1 + 4 * kGroups.size());
}

TEST(InstallTree, PinhostRegistryFileDiffersOnlyInApplDir) {
    RegKeys win = readReg(kInstall / "Tessalo.reg");
    RegKeys sim = readReg(kInstall / "pinhost.reg");
    ASSERT_EQ(sim.count(kProductKey), 1u);
    EXPECT_EQ(sim[kProductKey]["ApplDir"], "%INSTALLDIR%");
    win[kProductKey].erase("ApplDir");
    sim[kProductKey].erase("ApplDir");
    EXPECT_EQ(win, sim);
}

TEST(InstallTree, PathsJoinedByConcatenationReachTheShippedFiles) {
    const RegKeys keys = readReg(kInstall / "pinhost.reg");
    const std::string appl = keys.at(kProductKey).at("ApplDir");
    const auto& comp = keys.at(kComponentKey);
    ASSERT_FALSE(appl.empty());
    EXPECT_NE(appl.back(), '\\') << "ApplDir carries no trailing backslash";

    // StandardsDir = ApplDir + Norme Dir#n; DataFilePath = StandardsDir + Data#0;
    // index file = StandardsDir + File INI#0; PrefsFilePath = ApplDir + File Prefs.
    for (std::size_t n = 0; n < kGroups.size(); ++n) {
        const std::string standardsDir = appl + comp.at("Norme Dir#" + std::to_string(n));
        const std::string index = standardsDir + comp.at("File INI#0");
        const std::string dataDir = standardsDir + comp.at("Data#0");
        EXPECT_TRUE(fs::is_regular_file(toLocal(index))) << index;
        for (const auto& e : entriesOf(kGroups[n]))
            EXPECT_TRUE(fs::is_regular_file(toLocal(dataDir + e.dataFile))) << dataDir + e.dataFile;
    }
    const std::string prefs = appl + comp.at("File Prefs");
    EXPECT_EQ(toLocal(prefs).parent_path(), kApplDir);
}

TEST(InstallTree, HostSettingsNameTheImagesFolderThatHoldsTheTexture) {
    const auto lines = linesOf(kInstall / "host-settings.ini");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[Directories]");
    EXPECT_EQ(lines[1], "ThreadFile=%INSTALLDIR%\\Images\\");

    // FindTextureFile: ApplDir + "\Images\" + "3iaoftt.jpg" first, then
    // GetThreadFileDir() (trailing backslash dropped) + "\" + "3iaoftt.jpg".
    std::string threadDir = lines[1].substr(lines[1].find('=') + 1);
    threadDir.pop_back();
    for (const std::string& candidate :
         {std::string("%INSTALLDIR%\\Images\\3iaoftt.jpg"), threadDir + "\\3iaoftt.jpg"}) {
        const std::string jpg = readBytes(toLocal(candidate));
        ASSERT_GT(jpg.size(), 1000u) << candidate;
        EXPECT_EQ(static_cast<unsigned char>(jpg[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpg[1]), 0xD8);
        EXPECT_EQ(static_cast<unsigned char>(jpg[jpg.size() - 2]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(jpg[jpg.size() - 1]), 0xD9);
    }
}

// ------------------------------------------------------------------ tests: table files

TEST(InstallTree, IndexFilesListOneStandardASizeNamedAsPeopleWriteIt) {
    const std::map<std::string, std::vector<std::string>> named = {
        {"ISO", {"M1", "M10", "M64", "M10" + kTimes + "1.25", "M10" + kTimes + "1", "M8" + kTimes + "1"}},
        {"UN", {"1/2-13 UNC", "1/2-20 UNF", "#10-24 UNC", "#0-80 UNF", "2-4.5 UNC"}},
        {"PIPE", {"G 1/2", "G 1-1/4", "G 6", "Tr 16" + kTimes + "4", "Tr 8" + kTimes + "1.5"}},
    };
    for (const auto& g : kGroups) {
        std::set<std::string> names, files;
        for (const auto& e : entriesOf(g)) {
            EXPECT_TRUE(names.insert(e.name).second) << "twice: " << e.name;
            EXPECT_TRUE(files.insert(e.dataFile).second) << "twice: " << e.dataFile;
            EXPECT_FALSE(trim(e.description).empty()) << e.name;
            EXPECT_LE(e.line, 32767);
            EXPECT_TRUE(fs::is_regular_file(dataPath(g, e.dataFile))) << e.name << " names a missing data file";
        }
        for (const auto& name : named.at(g.dir)) EXPECT_EQ(names.count(name), 1u) << name;
    }
    EXPECT_EQ(entriesOf(kGroups[0]).front().name, "M1");  // the series in ascending size
    EXPECT_EQ(entriesOf(kGroups[0]).size(), 39u + 26u);     // coarse sizes and ISO 262 fine pairs
}

// A description is read under the dialog's labels in every language, so it
// says only what needs no translation: the name, numbers and standards.
TEST(InstallTree, DescriptionsHoldNoWordToTranslate) {
    const std::regex word("[A-Za-z]{3,}");
    const std::regex standardName("ISO|ASME|UNC|UNF");
    for (const auto& g : kGroups)
        for (const auto& e : entriesOf(g)) {
            ASSERT_EQ(e.description.rfind(e.name, 0), 0u) << e.description;
            const std::string rest = e.description.substr(e.name.size());
            for (auto w = std::sregex_iterator(rest.begin(), rest.end(), word); w != std::sregex_iterator(); ++w)
                EXPECT_TRUE(std::regex_match(w->str(), standardName)) << e.description;
        }
    for (const auto& e : entriesOf(kGroups[0])) EXPECT_TRUE(e.description.ends_with(" 6g")) << e.name;
    for (const auto& e : entriesOf(kGroups[1])) EXPECT_TRUE(e.description.ends_with(" 2A")) << e.name;
    EXPECT_EQ(entriesOf(kGroups[0])[18].name, "M10");
    EXPECT_EQ(entriesOf(kGroups[0])[18].description, "M10; P 1.5 (1.25, 1, 0.75); ISO 261; 6g");
}

TEST(InstallTree, EveryDataFileHasBothSectionsOfPlainNumbers) {
    for (const auto& g : kGroups)
        for (const auto& e : entriesOf(g)) {
            const DataFile d = readData(dataPath(g, e.dataFile));
            numbers(d.lengths, e.name + " [Lunghezze]", 1);
            numbers(d.pitches, e.name + " [Passi]", 4, false);
        }
}

// A shipped file opens with what it holds and the standard it follows; where the
// numbers were researched is the generator's reference data, not the product's.
TEST(InstallTree, DataFilesSayWhatTheyHoldAndTheStandardTheyFollow) {
    for (const auto& g : kGroups)
        for (const auto& e : entriesOf(g)) {
            const auto comments = readData(dataPath(g, e.dataFile)).comments;
            ASSERT_FALSE(comments.empty()) << e.name;
            EXPECT_EQ(comments[0].rfind("# Zelvacorin thread table " + e.name + ": ", 0), 0u) << comments[0];
            bool named = false;
            for (const auto& standard : g.standards) named = named || comments[0].find(standard) != std::string::npos;
            EXPECT_TRUE(named) << comments[0];
            for (const auto& c : comments)
                for (const char* note : {".csv", "source:", "http", "www.", "/work/", "readable"})
                    EXPECT_EQ(c.find(note), std::string::npos) << e.name << ": " << c;
        }
}

TEST(InstallTree, LengthsArePreferredLengthsFromOneToTenDiameters) {
    EXPECT_EQ(lengthsOf("M10"), (std::vector<double>{10, 12, 16, 20, 25, 30, 35, 40, 45, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(lengthsOf("M1"), (std::vector<double>{2, 2.5, 3, 4, 5, 6, 8, 10}));
    EXPECT_EQ(lengthsOf("M10" + kTimes + "1.25"), lengthsOf("M10"));
    // Above 100 mm the list starts at 100 mm: a G 6 pin still has lengths to choose.
    EXPECT_EQ(lengthsOf("G 6"), (std::vector<double>{100, 110, 120, 130, 140, 150, 160, 180, 200}));
    for (double secondary : {14.0, 55.0, 65.0, 75.0, 18.0, 22.0}) EXPECT_FALSE(contains(lengthsOf("M64"), secondary));
}

TEST(InstallTree, MetricPitchListsStartWithThePitchTheNameStates) {
    EXPECT_EQ(pitchesOf("M10", 2), (std::vector<double>{1.5, 1.25, 1, 0.75}));
    EXPECT_EQ(pitchesOf("M10" + kTimes + "1.25", 2), (std::vector<double>{1.25, 1.5, 1, 0.75}));
    EXPECT_EQ(pitchesOf("M1", 2), (std::vector<double>{0.25}));
    EXPECT_EQ(pitchesOf("M64" + kTimes + "4", 2), (std::vector<double>{4, 6, 3, 2, 1.5}));
}

TEST(InstallTree, InchPitchesAre25Point4OverTpiToFourDecimals) {
    EXPECT_EQ(pitchesOf("1/2-13 UNC", 4), (std::vector<double>{1.9538, 1.27}));
    EXPECT_EQ(pitchesOf("1/2-20 UNF", 4), (std::vector<double>{1.27, 1.9538}));
    EXPECT_EQ(pitchesOf("#0-80 UNF", 4), (std::vector<double>{0.3175}));  // #0 has no UNC size
    EXPECT_EQ(pitchesOf("G 1/2", 4), (std::vector<double>{1.8143}));     // 14 TPI
    for (const auto& g : {kGroups[1], kGroups[2]})
        for (const auto& e : entriesOf(g)) {
            if (e.name.rfind("Tr", 0) == 0) continue;
            for (double p : pitchesOf(e.name, 4)) EXPECT_TRUE(isInchPitch(p)) << e.name << " " << p;
        }
}

TEST(InstallTree, TrapezoidalStandardsTakeTheirNormalPitchFirst) {
    EXPECT_EQ(pitchesOf("Tr 16" + kTimes + "4", 2), (std::vector<double>{4, 2}));
    EXPECT_EQ(pitchesOf("Tr 8" + kTimes + "1.5", 2), (std::vector<double>{1.5}));
    EXPECT_EQ(pitchesOf("Tr 60" + kTimes + "9", 2), (std::vector<double>{9, 14, 3}));
}

}  // namespace

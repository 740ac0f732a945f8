#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "Foundation/StringsTable.h"

namespace fs = std::filesystem;

namespace {

std::string value(const std::optional<StringsTable>& t, const std::string& key) {
    const std::string* v = t ? t->lookup(key) : nullptr;
    return v ? *v : "(none)";
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string fromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

// An independent reading of a table: a few lines of Python matching each
// `"key" = "value";` pair, printed as hexadecimal so nothing gets lost.
std::map<std::string, std::string> readWithPython(const fs::path& file) {
    std::string script =
        "import re,sys\n"
        "t=open(sys.argv[1],encoding='utf-8-sig').read()\n"
        "q=r'\"((?:[^\"\\\\]|\\\\.)*)\"'\n"
        "u=lambda s:re.sub(r'\\\\(.)',lambda m:{'n':'\\n','t':'\\t'}.get(m[1],m[1]),s)\n"
        "for k,v in re.findall(q+r'\\s*=\\s*'+q+r'\\s*;',t):print(u(k).encode().hex(),u(v).encode().hex())\n";
    fs::path scriptFile = fs::temp_directory_path() / ("korvel-strings-" + std::to_string(::getpid()) + ".py");
    std::ofstream(scriptFile) << script;
    std::map<std::string, std::string> entries;
    std::string command = "python3 '" + scriptFile.string() + "' '" + file.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return entries;
    char line[65536];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string k, v;
        fields >> k >> v;
        entries[fromHex(k)] = fromHex(v);
    }
    ::pclose(pipe);
    fs::remove(scriptFile);
    return entries;
}

}  // namespace

TEST(StringsTable, EntriesCommentsAndEscapes) {
    auto t = StringsTable::parse(
        "/* block\n comment \"x\" = \"y\"; */\n"
        "// line comment\n"
        "\"Title\" = \"Titel\";\n"
        "\"quote \\\"q\\\"\"=\"a\\\\b\\nc\\td\";"
        "\"uni\" = \"\\U00e9\\u20AC\\UD83D\\UDE00\";\n"
        "\"octal\" = \"\\101\\102\";\n"
        "bare_key.1 = \"bare\";\n"
        "\"self\";\n"
        "\"url\" = \"https://example.com/a\"; // trailing\n"
        "\"Title\" = \"Later\";");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->size(), 7u);
    EXPECT_EQ(value(t, "Title"), "Later");
    EXPECT_EQ(value(t, "quote \"q\""), "a\\b\nc\td");
    EXPECT_EQ(value(t, "uni"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(value(t, "octal"), "AB");
    EXPECT_EQ(value(t, "bare_key.1"), "bare");
    EXPECT_EQ(value(t, "self"), "self");
    EXPECT_EQ(value(t, "url"), "https://example.com/a");
    EXPECT_EQ(value(t, "x"), "(none)");
}

TEST(StringsTable, Utf16WithAByteOrderMarkAndUtf8WithOne) {
    std::u16string text = u"\"Couleur\" = \"R\u00e9glage \U0001F600\";";
    std::string little = "\xFF\xFE";
    std::string big = "\xFE\xFF";
    for (char16_t c : text) {
        little += static_cast<char>(c & 0xFF);
        little += static_cast<char>(c >> 8);
        big += static_cast<char>(c >> 8);
        big += static_cast<char>(c & 0xFF);
    }
    EXPECT_EQ(value(StringsTable::parse(little), "Couleur"), "R\xC3\xA9glage \xF0\x9F\x98\x80");
    EXPECT_EQ(value(StringsTable::parse(big), "Couleur"), "R\xC3\xA9glage \xF0\x9F\x98\x80");
    EXPECT_EQ(value(StringsTable::parse("\xEF\xBB\xBF\"a\" = \"b\";"), "a"), "b");
    EXPECT_EQ(value(StringsTable::parse("{ \"a\" = \"b\"; }"), "a"), "b");
    ASSERT_TRUE(StringsTable::parse(""));
    EXPECT_EQ(StringsTable::parse("  /* only a comment */ ")->size(), 0u);
}

TEST(StringsTable, BrokenTablesGiveNothingWithAReason) {
    struct Case {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"\"a\" = \"b\"", "expected \";\""},
        {"\"a\" = \"b\";\n\"c\" = \"d", "unterminated quoted string (line 2)"},
        {"\"a\" = ;", "expected a quoted string"},
        {"\"a\" = \"b\"; /* open", "unterminated comment"},
        {"\"a\" = (\"b\");", "expected a quoted string"},
        {"{ \"a\" = \"b\";", "missing \"}\""},
        {"{ \"a\" = \"b\"; } x", "text after"},
        {"\"a\" = \"\xFF\";", "neither UTF-8"},
        {std::string("\xFF\xFE\x00\xD8\x41\x00", 6), "broken UTF-16"},
        {std::string("\xFF\xFE\x22", 3), "broken UTF-16"},
        {"\"a\" = \"b\\", "unterminated quoted string"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(StringsTable::parse(c.bytes, &error)) << c.bytes;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.bytes << " -> " << error;
    }
}

TEST(StringsTable, EveryRealTableGivesItsEntries) {
    // Entry counts checked by hand against each file.
    const std::map<std::string, std::size_t> counts = {
        {"BelledonneCommunications__linphone-iphone/en.lproj/Root.strings", 15},
        {"WireGuard__wireguard-apple/en.lproj/Root.strings", 2},
        {"WireGuard__wireguard-apple/nl.lproj/Root.strings", 3},
        {"openHPI__xikolo-ios/de.lproj/Root.strings", 1},
        {"openHPI__xikolo-ios/en.lproj/Root.strings", 1},
        {"utmapp__UTM/ja.lproj/Root.strings", 49},
    };
    fs::path root = KORVEL_SHARED_DIR "/testdata/settings-bundles";
    std::size_t seen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".strings") continue;
        ++seen;
        std::string name = fs::relative(entry.path(), root).string();
        std::string error;
        auto table = StringsTable::parse(readFile(entry.path()), &error);
        ASSERT_TRUE(table) << name << ": " << error;
        ASSERT_TRUE(counts.count(name)) << name;
        EXPECT_EQ(table->size(), counts.at(name)) << name;
        auto expected = readWithPython(entry.path());
        EXPECT_EQ(expected.size(), counts.at(name)) << name;
        for (const auto& [k, v] : expected) EXPECT_EQ(value(table, k), v) << name << ": " << k;
    }
    EXPECT_EQ(seen, counts.size());
}

// Every settings description file from real apps reads into the sections and
// rows that Python's plistlib finds in it, with its titles translated by its
// strings tables and its child pages found by name.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "Foundation/NSIndexPath.h"
#include "Quilltray/Models/QLTSettingsReader.h"
#include "Quilltray/Models/QLTSpecifier.h"
#include "app/Quilltray/SettingsDevice.h"

namespace fs = std::filesystem;

namespace {

const std::string kRows = KORVEL_SOURCE_DIR "/tests/app/Quilltray/settings_rows.py";
const fs::path kSettingsFiles = KORVEL_SHARED_DIR "/testdata/settings-bundles";

std::string python(const fs::path& folder, const std::string& file) {
    std::string command = "python3 '" + kRows + "' '" + folder.string() + "' '" + file + "'";
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) return "popen failed";
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    return ::pclose(p) == 0 ? out : "python failed: " + out;
}

// The same lines as settings_rows.py prints.
std::string shown(const NSString* text) {
    if (!text) return "(nil)";
    std::string out;
    for (char c : text->str()) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string rowsOf(QLTSettingsReader* reader) {
    std::string out, children;
    for (int s = 0; s < reader->numberOfSections(); ++s) {
        out += "section\t" + shown(reader->titleForSection(s)) + "\t" + shown(reader->footerTextForSection(s)) + "\t" +
               std::to_string(reader->numberOfRowsForSection(s)) + "\n";
        for (int r = 0; r < reader->numberOfRowsForSection(s); ++r) {
            QLTSpecifier* row = reader->specifierForIndexPath(NSIndexPath::indexPathForRow(r, s));
            out += "row\t" + shown(row->type()) + "\t" + shown(row->key()) + "\t" + shown(row->title()) + "\n";
            if (!row->type() || row->type()->str() != "PSChildPaneSpecifier" || !row->file()) continue;
            Ref<QLTSettingsReader> child = make<QLTSettingsReader>()->initWithFile(row->file());
            children += "child\t" + row->file()->str() + "\t" + (child->settingsBundle() ? "found" : "missing") + "\n";
        }
    }
    return out + children;
}

}  // namespace

TEST(RealSettingsFiles, ReadAsPlistlibSeesThem) {
    int files = 0;
    for (const auto& app : fs::directory_iterator(kSettingsFiles)) {
        if (!app.is_directory()) continue;
        for (const auto& entry : fs::directory_iterator(app.path())) {
            std::string file = entry.path().filename().string();
            if (!file.ends_with(".plist")) continue;
            SCOPED_TRACE(app.path().filename().string() + "/" + file);
            SettingsDevice device;
            fs::copy(app.path(), device.host(std::string(SettingsDevice::kApp) + "/Settings.bundle"),
                     fs::copy_options::recursive);
            // A tablet's file is read as a tablet reads it, under the plain name.
            bool tablet = file.find("~ipad") != std::string::npos;
            UIDevice::currentDevice()->setUserInterfaceIdiom(tablet ? UIUserInterfaceIdiomPad
                                                                    : UIUserInterfaceIdiomPhone);
            std::string name = file.substr(0, file.size() - std::string(".plist").size());
            if (tablet) name.erase(name.find("~ipad"), std::string("~ipad").size());

            Ref<QLTSettingsReader> reader = make<QLTSettingsReader>()->initWithFile(NSString::from(name));
            ASSERT_TRUE(reader->path()->hasSuffix(NSString::from("/Settings.bundle/" + file)));
            EXPECT_EQ(rowsOf(reader), python(app.path(), file));
            ++files;
        }
    }
    EXPECT_GE(files, 18);
}

// A device folder of a test's own for running our programs headless on it,
// and the reading of the view-tree dumps they write.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class ProgramDevice {
public:
    // A fresh folder "korvel-<name>-<pid>" in the temporary folder; removed
    // again with the object.
    explicit ProgramDevice(const std::string& name)
        : root_(std::filesystem::temp_directory_path() / ("korvel-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    ~ProgramDevice() { std::filesystem::remove_all(root_); }
    ProgramDevice(const ProgramDevice&) = delete;
    ProgramDevice& operator=(const ProgramDevice&) = delete;

    const std::filesystem::path& root() const { return root_; }

    // Writes an XML property list whose root is `body` at `relative`.
    void writePlist(const std::string& relative, const std::string& body) const {
        std::filesystem::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative) << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\">" << body
                                        << "</plist>";
    }

    // Runs `program` headless on the folder with `arguments`, its standard
    // error added to errors(); answers its exit status.
    int run(const std::string& program, const std::string& arguments) const {
        std::string command = program + " --headless --device " + root_.string() + " " + arguments + " 2>>" +
                              (root_ / "stderr.txt").string();
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string errors() const {
        std::ifstream in(root_ / "stderr.txt");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A dump written by a run; null when there is none or it is no JSON.
    nlohmann::json readDump(const std::string& relative) const {
        std::ifstream in(root_ / relative);
        return in ? nlohmann::json::parse(in, nullptr, false) : nlohmann::json();
    }

    // The views of `className` in `view`'s subtree, itself included, in order.
    static std::vector<nlohmann::json> views(const nlohmann::json& view, const std::string& className) {
        std::vector<nlohmann::json> found;
        collect(view, className, found);
        return found;
    }

private:
    static void collect(const nlohmann::json& view, const std::string& className, std::vector<nlohmann::json>& found) {
        if (view.value("class", "") == className) found.push_back(view);
        for (const nlohmann::json& sub : view.value("subviews", nlohmann::json::array())) collect(sub, className, found);
    }

    std::filesystem::path root_;
};

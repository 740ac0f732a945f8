#include "Device/TouchScript.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Foundation/UnicodeText.h"

namespace {

// A fault on one line; thrown inside the parser only, turned into `error`.
struct LineError {
    std::string message;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i])) ++i;
        std::size_t start = i;
        while (i < s.size() && !isBlank(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

double number(std::string_view word, const char* what) {
    double value = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        throw LineError{std::string(what) + " is not a number: '" + std::string(word) + "'"};
    return value;
}

CGPoint point(const std::vector<std::string_view>& w) {
    if (w.size() != 3) throw LineError{std::string(w[0]) + " takes two numbers, X and Y"};
    double x = number(w[1], "X");
    double y = number(w[2], "Y");
    if (!std::isfinite(static_cast<CGFloat>(x)) || !std::isfinite(static_cast<CGFloat>(y)))
        throw LineError{"the point is out of range"};
    return CGPointMake(static_cast<CGFloat>(x), static_cast<CGFloat>(y));
}

void noArguments(const std::vector<std::string_view>& w) {
    if (w.size() != 1) throw LineError{std::string(w[0]) + " takes no arguments"};
}

// Everything after the command word, as typed.
std::string rest(std::string_view line, std::string_view command) {
    std::string_view r = line.substr(command.size());
    while (!r.empty() && isBlank(r.front())) r.remove_prefix(1);
    return std::string(r);
}

// What the earlier lines left behind, so that the order of commands is
// checked before anything runs.
struct ScriptState {
    int fingerDownLine = 0;  // 0: no finger on the screen
    bool background = false;
    int terminatedLine = 0;

    void requireForeground(std::string_view command) const {
        if (background) throw LineError{std::string(command) + " while the app is in the background"};
    }
};

TouchScript::Command readLine(std::string_view line, ScriptState& state) {
    const auto w = words(line);
    const std::string_view command = w.front();
    if (state.terminatedLine)
        throw LineError{"the app has terminated (line " + std::to_string(state.terminatedLine) + ")"};

    TouchScript::Command c;
    if (command == "tap" || command == "down") {
        state.requireForeground(command);
        c.point = point(w);
        if (state.fingerDownLine)
            throw LineError{"the finger is already down (line " + std::to_string(state.fingerDownLine) + ")"};
        c.op = command == "tap" ? TouchScript::Op::Tap : TouchScript::Op::Down;
    } else if (command == "move") {
        c.point = point(w);
        if (!state.fingerDownLine) throw LineError{"move without a finger down"};
        c.op = TouchScript::Op::Move;
    } else if (command == "up") {
        noArguments(w);
        if (!state.fingerDownLine) throw LineError{"up without a finger down"};
        c.op = TouchScript::Op::Up;
    } else if (command == "wait") {
        if (w.size() != 2) throw LineError{"wait takes one number of seconds"};
        c.seconds = number(w[1], "SECONDS");
        if (c.seconds < 0 || c.seconds > TouchScript::kLongestWait)
            throw LineError{"wait takes 0 to " + std::to_string(static_cast<int>(TouchScript::kLongestWait)) +
                            " seconds"};
        c.op = TouchScript::Op::Wait;
    } else if (command == "type") {
        state.requireForeground(command);
        c.text = rest(line, command);
        if (c.text.empty()) throw LineError{"type needs the text to type"};
        if (!UnicodeText::isValidUTF8(c.text)) throw LineError{"the text is not valid UTF-8"};
        c.op = TouchScript::Op::Type;
    } else if (command == "key") {
        state.requireForeground(command);
        if (w.size() != 2 || (w[1] != "return" && w[1] != "backspace"))
            throw LineError{"key takes return or backspace"};
        c.key = w[1] == "return" ? TouchScript::Key::Return : TouchScript::Key::Backspace;
        c.op = TouchScript::Op::Key;
    } else if (command == "background" || command == "foreground" || command == "terminate") {
        noArguments(w);
        if (state.fingerDownLine)
            throw LineError{std::string(command) + " with the finger down (line " +
                            std::to_string(state.fingerDownLine) + ")"};
        if (command == "background") {
            if (state.background) throw LineError{"the app is already in the background"};
            c.op = TouchScript::Op::Background;
        } else if (command == "foreground") {
            if (!state.background) throw LineError{"the app is not in the background"};
            c.op = TouchScript::Op::Foreground;
        } else {
            c.op = TouchScript::Op::Terminate;
        }
    } else if (command == "rotate") {
        state.requireForeground(command);
        if (w.size() != 2 || (w[1] != "left" && w[1] != "right" && w[1] != "portrait"))
            throw LineError{"rotate takes left, right or portrait"};
        c.turn = w[1] == "left" ? TouchScript::Turn::Left
                 : w[1] == "right" ? TouchScript::Turn::Right
                                   : TouchScript::Turn::Portrait;
        c.op = TouchScript::Op::Rotate;
    } else if (command == "shot" || command == "dump") {
        c.text = rest(line, command);
        if (c.text.empty()) throw LineError{std::string(command) + " needs a file name"};
        c.op = command == "shot" ? TouchScript::Op::Shot : TouchScript::Op::Dump;
    } else {
        throw LineError{"unknown command '" + std::string(command) + "'"};
    }
    return c;
}

void advance(const TouchScript::Command& c, ScriptState& state) {
    switch (c.op) {
        case TouchScript::Op::Down: state.fingerDownLine = c.line; break;
        case TouchScript::Op::Up: state.fingerDownLine = 0; break;
        case TouchScript::Op::Background: state.background = true; break;
        case TouchScript::Op::Foreground: state.background = false; break;
        case TouchScript::Op::Terminate: state.terminatedLine = c.line; break;
        default: break;
    }
}

}  // namespace

std::optional<TouchScript> TouchScript::parse(const std::string& text, const std::string& name, std::string& error) {
    TouchScript script;
    ScriptState state;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#') continue;
        try {
            Command c = readLine(line, state);
            c.line = number;
            advance(c, state);
            script.commands_.push_back(std::move(c));
        } catch (const LineError& e) {
            error = name + ":" + std::to_string(number) + ": " + e.message;
            return std::nullopt;
        }
    }
    if (state.fingerDownLine) {
        error = name + ": the script ends with the finger down (line " + std::to_string(state.fingerDownLine) + ")";
        return std::nullopt;
    }
    return script;
}

std::optional<TouchScript> TouchScript::load(const std::string& path, std::string& error) {
    std::error_code ec;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, ec)) file.open(path, std::ios::binary);
    if (!file.is_open()) {
        error = "cannot read the script " + path;
        return std::nullopt;
    }
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        error = "cannot read the script " + path;
        return std::nullopt;
    }
    return parse(text, path, error);
}

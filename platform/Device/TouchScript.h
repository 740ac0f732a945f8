// A touch script: what the host does to a running app, one command a line.
//
//   tap X Y | down X Y | move X Y | up | wait SECONDS
//   type TEXT | key return|backspace
//   background | foreground | terminate | rotate left|right|portrait
//   shot FILE.png | dump FILE.json
//
// Blank lines and lines starting with "#" are skipped. Points are in screen
// points. The whole script is checked before anything runs, including the
// order of things (no "move" without a finger down, no touches while the app
// is in the background, nothing after "terminate"), so a bad script never
// leaves an app half driven.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CoreGraphics/CGGeometry.h"

class TouchScript {
public:
    enum class Op { Tap, Down, Move, Up, Wait, Type, Key, Background, Foreground, Terminate, Rotate, Shot, Dump };
    enum class Key { Return, Backspace };
    // Which way the device is turned: to either landscape or back upright.
    enum class Turn { Left, Right, Portrait };

    struct Command {
        Op op = Op::Wait;
        // Line number in the script, for messages about running it.
        int line = 0;
        CGPoint point;        // tap, down, move
        double seconds = 0;   // wait
        std::string text;     // type: the text; shot, dump: the file
        Key key = Key::Return;
        Turn turn = Turn::Portrait;  // rotate
    };

    // The longest single wait: the virtual clock has to step through every
    // timer on the way, so an absurd wait would hang the run.
    static constexpr double kLongestWait = 86400;

    // Checks and reads a script. On a fault answers nothing, with `error`
    // naming the script (`name`), the line and the fault.
    static std::optional<TouchScript> parse(const std::string& text, const std::string& name, std::string& error);
    static std::optional<TouchScript> load(const std::string& path, std::string& error);

    const std::vector<Command>& commands() const { return commands_; }

private:
    std::vector<Command> commands_;
};

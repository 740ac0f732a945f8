// The version of the platform's core library, by which code tells which
// platform release it runs on. The stand-in is the release the phone runs:
// one with multitasking (from 550.32 on, the application has background and
// foreground notifications).
#pragma once

inline constexpr double kCFCoreFoundationVersionNumber = 550.52;

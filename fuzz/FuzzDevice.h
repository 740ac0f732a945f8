// A device folder of the fuzzer's own, so that targets can feed their input
// through the real file paths (size checks, the file read itself) as the
// system meets a file on the phone. It lives in memory where the host offers
// it (/dev/shm), since every input is written once, and is removed at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzDevice {
public:
    // Writes `bytes` to the phone path `phonePath` in the fuzzer's device
    // folder, creating that folder (and making it the device folder) on
    // first use; aborts when the file cannot be written, since every later
    // input would then test nothing.
    static void put(const std::string& phonePath, const std::uint8_t* bytes, std::size_t size);
};

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Bytes in the ANSI code page (936 for every text the program shows).
using Text = std::string;

// A read-only view of bytes that someone else owns (payload contents).
struct ByteView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    bool empty() const { return size == 0; }
};

#pragma once
// Walking a byte string of the system ANSI code page character by character: a lead byte
// (IsDBCSLeadByte) starts a two-byte character, any other byte a one-byte character.
#include <cstddef>
#include <string_view>

class CharWalk {
public:
    explicit CharWalk(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    // Byte offset of the current character.
    std::size_t Position() const { return pos_; }
    // Byte length of the current character, cut at the end of the string when a lead
    // byte stands last.
    std::size_t CharSize() const;
    void Next() { pos_ += CharSize(); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

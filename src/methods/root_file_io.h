#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Whole-file reading and writing for the root object's file functions. Every operation answers
// false with a message for the script's "GetLastError" and never leaves a half-written file:
// a file is replaced by writing a temporary file beside it and renaming it over the old one.

// Reads a regular file of at most maxBytes (devices, pipes and folders are refused without
// being read, so a hostile name cannot make a script wait).
bool ReadWholeFile(const std::filesystem::path& file, size_t maxBytes, std::string& bytes,
                   std::u16string& error);
// Replaces the file's content; the new file keeps the old one's permissions (0644 for a new
// one). The folder must exist.
bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes, std::u16string& error);
// Adds bytes at the end of the file, making it when there is none.
bool AppendFileContent(const std::filesystem::path& file, std::string_view bytes, std::u16string& error);

// Text from file bytes: UTF-8 with or without its byte-order mark, or UTF-16 with a byte-order
// mark; invalid UTF-8 sequences become U+FFFD. False for bytes that are no text (a zero byte
// in UTF-8, an odd length in UTF-16).
bool DecodeFileText(std::string_view bytes, std::u16string& text);

// The message texts of a failure, with the file name.
std::u16string FileErrorText(std::u16string_view what, const std::filesystem::path& file);

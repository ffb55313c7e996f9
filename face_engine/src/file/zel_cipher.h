#pragma once
// The face-file cipher: the whole plain text passed through the image library's byte cipher
// with a 4-character key. Files are given by their whole paths, extension included.

#include <string>

namespace zel::engine {

// 0 when the file's first character is '1' or '2' (a plain face text), 1 otherwise (an empty
// file counts as enciphered), -11 when it cannot be opened.
int zel_is_enciphered(const std::string& path);

// Deciphers (or enciphers: the same operation) the source into the target with key. 0, or -11
// when either cannot be opened or the target was not written whole.
int zel_cipher_copy(const std::string& source, const std::string& target, const char* key);

// Copies the source into the target byte for byte. 0, or -11.
int zel_copy_plain(const std::string& target, const std::string& source);

// Enciphers the plain file at plainPath into the person's file at targetPath through
// zel::replace_file: never a partly written target, the file's permission bits and group kept,
// links written through, a file the user may not write refused. On failure the previous target
// stays as it was and nothing is left beside it. 0, or -11.
int zel_encipher_replace(const std::string& plainPath, const std::string& targetPath,
                         const char* key);

} // namespace zel::engine

#pragma once

#include <string>
#include <string_view>

// The text of names, property values, bind texts and event scripts in form files.
//
// Writing escapes, in this order, "&" to "&amp;", '"' to "&quot;", "<" to "&lt;", ">" to "&gt;"
// and "'" to "&#39;"; line breaks stay as they are (event scripts keep their CR LF inside the
// attribute). Reading takes the attribute as the XML parser decoded it and decodes it once more:
// "&quot;", "&lt;", "&gt;", "&#39;" and last "&amp;" become the characters they stand for.

// Appends text escaped, as UTF-8.
void AppendFormText(std::string& out, std::u16string_view text);

// An attribute value (UTF-8, already decoded by the XML parser) as the runtime's text.
std::u16string DecodeFormText(std::string_view attribute);
// The same into storage, which a reader keeps from one attribute to the next: the text is the
// view returned, at the start of storage. Storage only grows, so that decoding a shorter text
// writes nothing beyond it.
std::u16string_view DecodeFormText(std::string_view attribute, std::u16string& storage);

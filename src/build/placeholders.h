#pragma once

#include <functional>
#include <string>
#include <string_view>

// Placeholders of the command texts in the settings: "%" and a letter ("%F.pdf").

// What a placeholder's letter stands for; `in_quotes` tells whether it stands between double
// quotes of the text, where the user quoted it already.
using PlaceholderValue = std::function<std::string(char letter, bool in_quotes)>;

// The text with each "%" and the character behind it replaced by its value. A double-byte
// character is copied whole, so that its second byte is never taken for "%" or a quote; a "%" at
// the very end yields nothing.
std::string ReplacePlaceholders(std::string_view text, const PlaceholderValue& value);

#pragma once
// The little JSON that --json prints: objects and arrays built in order, texts escaped.
// Every text from the camera or a file is data and is escaped here, never interpreted.
#include <string>
#include <vector>

namespace Json {

// A JSON string literal of the text (quotes included); bytes below 0x20 as \u00XX.
std::string Quote(const std::string& text);
// The text itself when it is a JSON number (as the camera sends numbers), else quoted.
std::string NumberOrText(const std::string& text);

class Object {
public:
    Object& Text(const std::string& key, const std::string& value) { return Raw(key, Quote(value)); }
    Object& Int(const std::string& key, long long value) { return Raw(key, std::to_string(value)); }
    Object& Bool(const std::string& key, bool value) { return Raw(key, value ? "true" : "false"); }
    // value is JSON already (a nested object, an array, a number).
    Object& Raw(const std::string& key, const std::string& value);
    std::string Str() const;

private:
    std::vector<std::string> m_members;
};

// An array of JSON values.
std::string Array(const std::vector<std::string>& values);

} // namespace Json

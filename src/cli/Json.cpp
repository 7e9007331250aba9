#include "Json.h"

#include <cstdio>
#include <regex>

namespace Json {

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::string NumberOrText(const std::string& text)
{
    static const std::regex number(R"(-?(0|[1-9][0-9]*)(\.[0-9]+)?)");
    return std::regex_match(text, number) ? text : Quote(text);
}

Object& Object::Raw(const std::string& key, const std::string& value)
{
    m_members.push_back(Quote(key) + ":" + value);
    return *this;
}

std::string Object::Str() const
{
    std::string out = "{";
    for (size_t i = 0; i < m_members.size(); ++i)
        out += (i ? "," : "") + m_members[i];
    return out + "}";
}

std::string Array(const std::vector<std::string>& values)
{
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i)
        out += (i ? "," : "") + values[i];
    return out + "]";
}

} // namespace Json

#include "IniSettings.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

std::string trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A section or key name: "%XX" a byte, "%UXXXX" a character, "\" the group separator.
std::string unescapeKey(const std::string& key)
{
    std::string out;
    for (size_t i = 0; i < key.size(); ++i) {
        const char c = key[i];
        if (c == '\\') {
            out += '/';
        } else if (c == '%' && i + 5 < key.size() && key[i + 1] == 'U') {
            uint32_t code = 0;
            bool ok = true;
            for (size_t k = 2; k < 6; ++k) {
                const int d = hexDigit(key[i + k]);
                ok = ok && d >= 0;
                code = code * 16 + uint32_t(d < 0 ? 0 : d);
            }
            if (ok) {
                appendUtf8(out, code);
                i += 5;
            } else {
                out += c;
            }
        } else if (c == '%' && i + 2 < key.size() && hexDigit(key[i + 1]) >= 0 && hexDigit(key[i + 2]) >= 0) {
            out += char(hexDigit(key[i + 1]) * 16 + hexDigit(key[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// A value: quoted runs keep everything, unquoted blanks around "," are dropped, escapes are
// taken inside and outside quotes as QSettings reads them.
std::string unescapeValue(const std::string& raw)
{
    const std::string text = trim(raw);
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            switch (e) {
            case 'a': out += '\a'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'v': out += '\v'; break;
            case 'x': {
                uint32_t code = 0;
                while (i + 1 < text.size() && hexDigit(text[i + 1]) >= 0)
                    code = code * 16 + uint32_t(hexDigit(text[++i]));
                appendUtf8(out, code);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint32_t code = uint32_t(e - '0');
                    while (i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7')
                        code = code * 8 + uint32_t(text[++i] - '0');
                    appendUtf8(out, code);
                } else {
                    out += e; // \" \' \? \\ and anything unknown stand for the character
                }
            }
        } else if (!quoted && c == ',') {
            while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
                out.pop_back();
            out += ',';
            while (i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t'))
                ++i;
        } else {
            out += c;
        }
    }
    if (out.rfind("@@", 0) == 0)
        out.erase(0, 1);
    return out;
}

std::string currentFolder()
{
    std::error_code ec;
    const auto here = std::filesystem::current_path(ec);
    return ec ? std::string(".") : here.string();
}

} // namespace

std::string IniSettings::DefaultPath()
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/Norvik/Lumora Camera Control Tool.conf";
}

IniSettings::IniSettings(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    parse(text.str());
    m_loaded = true;
}

IniSettings IniSettings::FromText(const std::string& text)
{
    IniSettings settings;
    settings.parse(text);
    settings.m_loaded = true;
    return settings;
}

void IniSettings::parse(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    std::string group;
    while (std::getline(lines, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            group = unescapeKey(trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            if (group == "General")
                group.clear();
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = unescapeKey(trim(line.substr(0, equals)));
        m_values[group.empty() ? key : group + "/" + key] = unescapeValue(line.substr(equals + 1));
    }
}

std::optional<std::string> IniSettings::Value(const std::string& key) const
{
    auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

int IniSettings::ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue)
{
    value = defaultValue;
    const auto stored = Value(SettingValueName(index));
    if (index >= kSettingCount || !stored)
        return 0;
    value = ParseStoredDecimal(*stored);
    return 1;
}

int IniSettings::ReadPath(unsigned index, std::string& path)
{
    const auto stored = Value(SettingValueName(index));
    std::error_code ec;
    if (index < kSettingCount && stored && !stored->empty() && std::filesystem::exists(*stored, ec)) {
        path = *stored;
        return 1;
    }
    path = currentFolder();
    return 0;
}

std::string IniSettings::PortDevice(const std::string& portName)
{
    if (auto it = m_portOverrides.find(portName); it != m_portOverrides.end())
        return it->second;
    const auto device = Value(std::string(kPortGroup) + "/" + portName);
    return device && !device->empty() ? *device : DefaultPortDevice(portName);
}

std::string IniSettings::ClLibraryFolder()
{
    const auto folder = Value(kClLibraryFolderName);
    return folder && !folder->empty() ? *folder : DefaultClLibraryFolder();
}

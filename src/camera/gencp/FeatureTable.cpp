#include "FeatureTable.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <set>

namespace {

// Categories inside categories, registers behind features: deeper than this is a loop or a
// description no camera needs.
constexpr int kMaxDepth = 8;
constexpr uint32_t kMaxIntegerLength = 8; // 64-bit registers keep their whole range
constexpr uint32_t kMaxTextLength = 512;

// The element's name without a namespace prefix.
std::string_view localName(const pugi::xml_node& node)
{
    std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string trimmed(const char* text)
{
    std::string_view view = text;
    const size_t first = view.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const size_t last = view.find_last_not_of(" \t\r\n");
    return std::string(view.substr(first, last - first + 1));
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c) == name)
            return c;
    return {};
}

std::string childText(const pugi::xml_node& node, std::string_view name)
{
    return trimmed(child(node, name).child_value());
}

// A number as descriptions write them: decimal with an optional sign, or 0x and hexadecimal.
bool parseNumber(const std::string& text, int64_t& out)
{
    if (text.empty())
        return false;
    const bool negative = text[0] == '-';
    const size_t start = negative || text[0] == '+' ? 1 : 0;
    const bool hex = text.size() > start + 2 && text[start] == '0' && (text[start + 1] == 'x' || text[start + 1] == 'X');
    const std::string digits = text.substr(start + (hex ? 2 : 0));
    if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
        return false;
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
    if (errno == ERANGE || value > uint64_t(std::numeric_limits<int64_t>::max()))
        return false;
    out = negative ? -int64_t(value) : int64_t(value);
    return true;
}

class Reader {
public:
    explicit Reader(FeatureDescription& out) : m_out(out) {}

    void Read(const pugi::xml_node& root)
    {
        m_out.modelName = root.attribute("ModelName").value();
        index(root, 0);
        const auto rootCategory = m_nodes.find("Root");
        if (rootCategory != m_nodes.end() && localName(rootCategory->second) == "Category") {
            walkCategory(rootCategory->second, 0);
            return;
        }
        // Without a root category, every category in the order written.
        for (const auto& node : m_order)
            if (localName(node) == "Category")
                walkCategory(node, 0);
    }

private:
    void index(const pugi::xml_node& parent, int depth)
    {
        for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element)
                continue;
            if (localName(c) == "Group") {
                if (depth < kMaxDepth)
                    index(c, depth + 1);
                continue;
            }
            const std::string name = c.attribute("Name").value();
            if (!name.empty() && m_nodes.emplace(name, c).second)
                m_order.push_back(c);
        }
    }

    pugi::xml_node node(const std::string& name) const
    {
        const auto found = m_nodes.find(name);
        return found == m_nodes.end() ? pugi::xml_node() : found->second;
    }

    static std::string displayName(const pugi::xml_node& n)
    {
        std::string shown = childText(n, "DisplayName");
        return shown.empty() ? n.attribute("Name").value() : shown;
    }

    void problem(const std::string& feature, const std::string& why)
    {
        m_out.problems.push_back(feature + ": " + why);
    }

    void walkCategory(const pugi::xml_node& category, int depth)
    {
        const std::string name = category.attribute("Name").value();
        if (depth > kMaxDepth || !m_visited.insert(name).second)
            return;
        const std::string section = displayName(category);
        for (pugi::xml_node c = category.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || localName(c) != "pFeature")
                continue;
            const std::string target = trimmed(c.child_value());
            const pugi::xml_node feature = node(target);
            if (!feature)
                problem(target, "named by category " + name + " but not described");
            else if (localName(feature) == "Category")
                walkCategory(feature, depth + 1);
            else
                addFeature(feature, section);
        }
    }

    void addFeature(const pugi::xml_node& feature, const std::string& section)
    {
        const std::string name = feature.attribute("Name").value();
        if (!m_visited.insert(name).second)
            return;
        if (m_out.records.size() >= FeatureDescription::kMaxRecords) {
            if (!m_full)
                problem(name, "more features than the list holds; this one and the rest are left out");
            m_full = true;
            return;
        }
        FeatureRecord record;
        record.name = name;
        record.displayName = displayName(feature);
        record.section = section;
        record.tooltip = childText(feature, "ToolTip");
        std::string why;
        if (!describe(feature, record, why, 0)) {
            problem(name, why);
            return;
        }
        if (childText(feature, "ImposedAccessMode") == "RO")
            record.flags &= ~FeatureRecord::Writable;
        if (childText(feature, "Visibility") == "Invisible")
            record.flags |= FeatureRecord::Disabled;
        if (std::find(m_out.sections.begin(), m_out.sections.end(), section) == m_out.sections.end())
            m_out.sections.push_back(section);
        m_out.records.push_back(std::move(record));
    }

    // Fills the record from a feature node and the register behind it.
    bool describe(const pugi::xml_node& feature, FeatureRecord& record, std::string& why, int depth)
    {
        if (depth > kMaxDepth) {
            why = "its value refers to itself";
            return false;
        }
        const std::string_view kind = localName(feature);
        if (kind == "IntReg" || kind == "FloatReg" || kind == "StringReg")
            return readRegister(feature, record, why);
        if (kind != "Integer" && kind != "Float" && kind != "Enumeration" && kind != "Boolean" && kind != "Command"
            && kind != "String") {
            why = "a " + std::string(kind) + " does not stand on one register";
            return false;
        }
        const std::string valueName = childText(feature, "pValue");
        const pugi::xml_node value = node(valueName);
        if (valueName.empty() || !value) {
            why = valueName.empty() ? "its value is not a register" : "its value " + valueName + " is not described";
            return false;
        }
        if (!describe(value, record, why, depth + 1))
            return false;
        const bool integer = !record.Has(FeatureRecord::Float) && !record.Has(FeatureRecord::Text);
        const bool fits = kind == "Float" ? record.Has(FeatureRecord::Float)
            : kind == "String"            ? record.Has(FeatureRecord::Text)
                                          : integer;
        if (!fits) {
            why = "its register does not hold a value of its kind";
            return false;
        }
        if (kind == "Enumeration")
            return readChoices(feature, record, why);
        if (kind == "Boolean")
            return readOnOff(feature, record, why);
        if (kind == "Command")
            return readCommand(feature, record, why);
        return true;
    }

    bool readRegister(const pugi::xml_node& reg, FeatureRecord& record, std::string& why)
    {
        if (child(reg, "pAddress") || child(reg, "IntSwissKnife") || child(reg, "pIndex")) {
            why = "its address is computed";
            return false;
        }
        int64_t address = 0;
        bool any = false;
        for (pugi::xml_node c = reg.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || localName(c) != "Address")
                continue;
            int64_t part = 0;
            if (!parseNumber(trimmed(c.child_value()), part) || part < 0 || address > INT64_MAX - part) {
                why = "its address is not a number";
                return false;
            }
            address += part;
            any = true;
        }
        int64_t length = 0;
        if (!any || address > int64_t(UINT32_MAX)) {
            why = any ? "its address lies above 32 bits" : "it has no address";
            return false;
        }
        if (!parseNumber(childText(reg, "Length"), length) || length <= 0) {
            why = "its length is not a number";
            return false;
        }
        const std::string_view kind = localName(reg);
        if ((kind == "IntReg" && length > kMaxIntegerLength) || (kind == "FloatReg" && length != 4 && length != 8)
            || (kind == "StringReg" && length > kMaxTextLength)) {
            why = "its register of " + std::to_string(length) + " bytes is not supported";
            return false;
        }
        record.address = uint32_t(address);
        record.length = uint32_t(length);
        const std::string access = childText(reg, "AccessMode");
        if (access == "RW" || access == "WO")
            record.flags |= FeatureRecord::Writable;
        if (access != "WO")
            record.flags |= FeatureRecord::Readable;
        if (kind == "FloatReg")
            record.flags |= FeatureRecord::Float;
        if (kind == "StringReg")
            record.flags |= FeatureRecord::Text;
        record.isSigned = childText(reg, "Sign") == "Signed";
        // Little-endian unless the description says otherwise, as the schema has it.
        record.littleEndian = childText(reg, "Endianess") != "BigEndian";
        return true;
    }

    bool readChoices(const pugi::xml_node& feature, FeatureRecord& record, std::string& why)
    {
        for (pugi::xml_node c = feature.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element || localName(c) != "EnumEntry")
                continue;
            int64_t value = 0;
            if (!parseNumber(childText(c, "Value"), value)) {
                why = "a choice without a value";
                return false;
            }
            record.valueMap.emplace_back(value, displayName(c));
        }
        if (record.valueMap.empty()) {
            why = "a list without choices";
            return false;
        }
        return true;
    }

    bool readOnOff(const pugi::xml_node& feature, FeatureRecord& record, std::string& why)
    {
        int64_t on = 1, off = 0;
        const std::string onText = childText(feature, "OnValue"), offText = childText(feature, "OffValue");
        if ((!onText.empty() && !parseNumber(onText, on)) || (!offText.empty() && !parseNumber(offText, off))) {
            why = "its on or off value is not a number";
            return false;
        }
        record.valueMap = {{off, "False"}, {on, "True"}};
        return true;
    }

    bool readCommand(const pugi::xml_node& feature, FeatureRecord& record, std::string& why)
    {
        int64_t value = 0;
        if (!parseNumber(childText(feature, "CommandValue"), value)) {
            why = "its command value is not given as a number";
            return false;
        }
        if (!record.Has(FeatureRecord::Writable)) {
            why = "its register cannot be written";
            return false;
        }
        record.commandValue = double(value);
        record.flags = (record.flags | FeatureRecord::Command) & ~FeatureRecord::Readable;
        return true;
    }

    FeatureDescription& m_out;
    std::map<std::string, pugi::xml_node> m_nodes;
    std::vector<pugi::xml_node> m_order;
    std::set<std::string> m_visited; // categories walked and features taken, by name
    bool m_full = false;
};

} // namespace

FeatureDescription ReadFeatureDescription(std::string_view xml)
{
    FeatureDescription out;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size(), pugi::parse_default);
    if (!parsed) {
        out.error = std::string("not readable as XML (") + parsed.description() + " at byte "
            + std::to_string(parsed.offset) + ")";
        return out;
    }
    const pugi::xml_node root = document.document_element();
    if (localName(root) != "RegisterDescription") {
        out.error = "not a GenICam feature description";
        return out;
    }
    Reader(out).Read(root);
    return out;
}

#pragma once
// The contents of the seven tab pages as data: one table per page (Page*.cpp), read by one
// builder (PageBuilder). A table is a sequence of items: a column break, a group (framed,
// titled area; a null title for controls outside any group) and the controls of that group
// in reading order, each with the label shown beside it.

#include <iterator>

enum class PageItemKind : unsigned char {
    Column,  // start the next column of groups
    Group,   // start a group; text = title (nullptr: outside any group); id = group box id or 0
    Number,  // number box, with its up/down control when spinId is not 0
    Box,     // read-only box showing a value or a text
    List,    // drop-down list; entries = "Text|Text=value|..."
    Check,   // check box; caption = its text
    Button,  // push button; caption = its text
    Label    // a static text of its own (id may be 0)
};

enum PageItemFlag : unsigned {
    kPlain = 0,
    kHidden = 1,     // exists (found by id) but is never shown, as on the original template
    kWide = 2,       // the control spans the label column too (buttons and check boxes)
    kSameRow = 4,    // placed to the right of the previous item instead of on a new row
    kHeader = 8,     // Label: a column heading over the controls, starting a new row
    kExtraLabel = 16, // the label names an unlabelled control so that a technician can tell
                      // it from its neighbours; it is not one of the page's own texts
    kText = 32,      // Box: shows a text rather than a number (left-aligned)
    kNarrow = 64,    // Number: a box for a single digit
};

struct PageItem {
    PageItemKind kind;
    int id;                  // control id; 0 for items no feature refers to
    const char* label;       // text shown beside the control (nullptr: none)
    const char* caption;     // button and check box text; group title for groups
    int spinId;              // Number: id of its up/down control (0: a box without spin)
    int labelId;             // id of the label beside the control (0: none needed)
    const char* entries;     // List: entries separated by '|'; "Text=value" sets the item value
    unsigned flags;
};

struct PageDef {
    unsigned templateId;
    const char* tabText;
    bool factory;
    const PageItem* items;
    int itemCount;
};

// The seven pages in page order (index 0..6).
constexpr int kPageCount = 7;
const PageDef& PageDefinition(int pageIndex);

// Table-building shorthands, used only by the page tables.
namespace page {
constexpr PageItem column() { return {PageItemKind::Column, 0, nullptr, nullptr, 0, 0, nullptr, kPlain}; }
constexpr PageItem group(const char* title, int id = 0)
{
    return {PageItemKind::Group, id, nullptr, title, 0, 0, nullptr, kPlain};
}
constexpr PageItem number(int id, int spinId, const char* label = nullptr, unsigned flags = kPlain,
                          int labelId = 0)
{
    return {PageItemKind::Number, id, label, nullptr, spinId, labelId, nullptr, flags};
}
constexpr PageItem box(int id, const char* label = nullptr, unsigned flags = kPlain)
{
    return {PageItemKind::Box, id, label, nullptr, 0, 0, nullptr, flags};
}
constexpr PageItem list(int id, const char* label, const char* entries, unsigned flags = kPlain,
                        int labelId = 0)
{
    return {PageItemKind::List, id, label, nullptr, 0, labelId, entries, flags};
}
constexpr PageItem check(int id, const char* caption, const char* label = nullptr, unsigned flags = kPlain)
{
    return {PageItemKind::Check, id, label, caption, 0, 0, nullptr, flags};
}
constexpr PageItem button(int id, const char* caption, unsigned flags = kPlain, const char* label = nullptr)
{
    return {PageItemKind::Button, id, label, caption, 0, 0, nullptr, flags};
}
constexpr PageItem label(int id, const char* text, unsigned flags = kPlain)
{
    return {PageItemKind::Label, id, text, nullptr, 0, 0, nullptr, flags};
}
} // namespace page

#pragma once
// A two-column list of named values grouped under section headings, drawn by the grid itself.
// Clicking the value of an editable row (or pressing Enter, F2 or Space on it) opens the editor
// of its kind: a one-line edit over the value for numbers and short texts, a drop-down list for
// bool and list rows, a month calendar for dates, a small dialog for long texts and for a date
// with a time, the standard choosers for colours, fonts and folders, and the row's own code for
// custom rows. After every accepted edit the grid emits itemChanged(), also when the value
// stays as it was (so that its owner can send the same value again); a cancelled edit emits
// nothing.
//
// Rows are named by the ids that the add functions hand out. Names and texts may be given as
// QString or as UTF-8 std::string, so callers that keep no Qt types in their data fill the
// grid directly. Headings collapse and expand with a click, Enter, or the Left and Right keys.
#include <QAbstractScrollArea>
#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ICustomItem;

class PropertyGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    using SectionId = std::uint32_t;
    using ItemId = std::uint32_t; // 0 names no row

    enum class ItemKind {
        Bool,     // "True" or "False"
        Integer,  // decimal, or "H' %X" in hexadecimal mode
        Double,   // "%g"
        String,   // one line, edited in place
        Text,     // any length, lines included, edited in a dialog
        Combo,    // one of a list of choices
        Date,
        DateTime,
        Color,    // "%d; %d; %d"
        Font,     // "%s; %dpt"
        Folder,   // a path, chosen with the folder chooser
        Custom,   // drawn and edited by its ICustomItem
    };

    // A name or text from Qt code (QString) or from plain C++ (UTF-8 std::string or literal).
    class TextArg {
    public:
        TextArg(const QString& text) : m_text(text) {}
        TextArg(const std::string& utf8) : m_text(QString::fromStdString(utf8)) {}
        TextArg(const char* utf8) : m_text(QString::fromUtf8(utf8)) {}
        const QString& text() const { return m_text; }

    private:
        QString m_text;
    };

    explicit PropertyGrid(QWidget* parent = nullptr);
    ~PropertyGrid() override;

    // Sections and rows show in the order they are added. A row added to an unknown section
    // is refused with id 0.
    SectionId addSection(const TextArg& name);
    ItemId addBoolItem(SectionId section, const TextArg& name, bool value, bool editable = true);
    // A whole number in the range of a 32-bit int.
    ItemId addIntegerItem(SectionId section, const TextArg& name, int value, bool editable = true);
    // A whole number of one of these ranges, starting at 0: it takes what the range holds when
    // typed in decimal, and in hexadecimal the bits of that width (two's complement for the
    // signed ranges, so "H' FFFFFFFF" is -1 in Int32).
    enum class IntegerRange { Int32, UInt32, Int64, UInt64 };
    ItemId addIntegerItem(SectionId section, const TextArg& name, IntegerRange range, bool editable = true);
    ItemId addDoubleItem(SectionId section, const TextArg& name, double value, bool editable = true);
    ItemId addStringItem(SectionId section, const TextArg& name, const TextArg& value, bool editable = true);
    ItemId addTextItem(SectionId section, const TextArg& name, const TextArg& value, bool editable = true);
    // `selected` indexes `choices`; -1 chooses nothing.
    ItemId addComboItem(SectionId section, const TextArg& name, const QStringList& choices, int selected,
                        bool editable = true);
    ItemId addComboItem(SectionId section, const TextArg& name, const std::vector<std::string>& choices,
                        int selected, bool editable = true);
    ItemId addDateItem(SectionId section, const TextArg& name, const QDate& value, bool editable = true);
    ItemId addDateTimeItem(SectionId section, const TextArg& name, const QDateTime& value, bool editable = true);
    ItemId addColorItem(SectionId section, const TextArg& name, const QColor& value, bool editable = true);
    ItemId addFontItem(SectionId section, const TextArg& name, const QFont& value, bool editable = true);
    ItemId addFolderItem(SectionId section, const TextArg& name, const TextArg& path, bool editable = true);
    ItemId addCustomItem(SectionId section, const TextArg& name, std::unique_ptr<ICustomItem> item,
                         bool editable = true);
    // Removes every section and row. Ids are never handed out twice, so old ids stay unknown.
    void clear();

    // The value as the grid shows it; empty for an unknown row.
    QString valueText(ItemId item) const;

    // Values by row. A setter redraws the row and reports nothing; both return false for an
    // unknown row or a kind that does not hold such a value. An int sets a whole number, a
    // real number, a bool (non-zero is true) or a list row's chosen index; a text sets a text
    // row, a folder, or the list entry of that text. Reading an int works for whole numbers,
    // bools and list rows (the index), a double for real and whole numbers, and a text for
    // every kind (the shown text). The 64-bit forms carry a whole number's full range; set
    // into a narrower row, a number keeps the bits of the row's width.
    bool setItemValue(ItemId item, bool value);
    bool setItemValue(ItemId item, int value);
    bool setItemValue(ItemId item, std::int64_t value);
    bool setItemValue(ItemId item, std::uint64_t value);
    bool setItemValue(ItemId item, double value);
    bool setItemValue(ItemId item, const QString& value);
    bool setItemValue(ItemId item, const std::string& value);
    bool setItemValue(ItemId item, const char* value);
    bool setItemValue(ItemId item, const QDate& value);
    bool setItemValue(ItemId item, const QDateTime& value);
    bool setItemValue(ItemId item, const QColor& value);
    bool setItemValue(ItemId item, const QFont& value);
    bool getItemValue(ItemId item, bool& value) const;
    bool getItemValue(ItemId item, int& value) const;
    bool getItemValue(ItemId item, std::int64_t& value) const;
    bool getItemValue(ItemId item, std::uint64_t& value) const;
    bool getItemValue(ItemId item, double& value) const;
    bool getItemValue(ItemId item, QString& value) const;
    bool getItemValue(ItemId item, std::string& value) const;
    bool getItemValue(ItemId item, QDate& value) const;
    bool getItemValue(ItemId item, QDateTime& value) const;
    bool getItemValue(ItemId item, QColor& value) const;
    bool getItemValue(ItemId item, QFont& value) const;

    // The grid's own texts: the two bool values and the captions of the date and time editor.
    void setBoolTexts(const TextArg& trueText, const TextArg& falseText);
    void setDateTimeCaptions(const TextArg& dateCaption, const TextArg& timeCaption);
    // Whole numbers shown (and typed) in hexadecimal.
    void setHexMode(bool hex);
    void setSectionCollapsed(SectionId section, bool collapsed);

    // Opens the row's editor as a click on its value would; false for an unknown or read-only
    // row. The dialog editors run modally and are done when this returns.
    bool editItem(ItemId item);
    // The row's value cell in viewport coordinates; empty when the row is not shown.
    QRect valueRect(ItemId item) const;

signals:
    // An edit of this row was accepted, whether or not it changed the value (a custom row: it
    // accepted).
    void itemChanged(PropertyGrid::ItemId item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Row {
        SectionId section;
        QString name;
        ItemKind kind;
        bool editable;
        QVariant value;
        QStringList choices;
        std::unique_ptr<ICustomItem> custom;
        IntegerRange range = IntegerRange::Int32; // whole numbers only
    };
    struct Section {
        QString name;
        bool collapsed = false;
        std::vector<ItemId> rows;
    };
    // One drawn line: a heading (item 0) or a row.
    struct Line {
        SectionId section;
        ItemId item;
    };

    Row* row(ItemId item);
    const Row* row(ItemId item) const;
    Section* section(SectionId id);
    ItemId addRow(SectionId section, const QString& name, ItemKind kind, QVariant value, bool editable,
                  QStringList choices = {});
    bool setValue(ItemId item, std::initializer_list<ItemKind> kinds, const QVariant& value);
    // A whole number given as its bits, for rows of every kind that take a number.
    bool setWholeNumber(ItemId item, std::uint64_t bits, bool negative);
    QString textOf(const Row& row) const;

    void relayout();
    int lineOf(ItemId item) const;
    int lineAt(int y) const;
    QRect lineRect(int line) const;
    void setCurrentLine(int line);
    void toggleSection(SectionId id);
    void paintHeading(QPainter& painter, const QRect& rect, const Section& section, bool current) const;
    void paintRow(QPainter& painter, const QRect& rect, const Row& row, bool current) const;

    void startInPlaceEdit(ItemId item, const QRect& cell);
    void startChoice(ItemId item, const QRect& cell);
    void startCalendar(ItemId item, const QRect& cell);
    void editLongText(ItemId item);
    void editDateTime(ItemId item);
    void editWithChooser(ItemId item);
    void acceptEdit(ItemId item, const QVariant& value);
    void closeEditor();

    std::vector<Section> m_sections;
    std::vector<Row> m_rows;
    SectionId m_firstSection = 1; // id of m_sections[0]
    ItemId m_firstItem = 1;       // id of m_rows[0]
    std::vector<Line> m_lines;
    int m_current = -1;
    int m_pressedLine = -1;
    int m_rowHeight = 0;
    int m_nameWidth = 0;
    int m_widestName = -1; // widest row name in pixels; -1 until measured

    QPointer<QWidget> m_editor;
    ItemId m_editing = 0;

    QString m_trueText = QStringLiteral("True");
    QString m_falseText = QStringLiteral("False");
    QString m_dateCaption = QStringLiteral("Date");
    QString m_timeCaption = QStringLiteral("Time");
    bool m_hexMode = false;
};

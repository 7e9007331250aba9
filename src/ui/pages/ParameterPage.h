#pragma once
// One tab page of the main window: built from its table (PageData.h) inside a scroll area, so
// that every page stays usable on a small screen. The page knows its template id, tab text and
// whether it is the factory page, and finds its own controls by id.
#include <QHash>
#include <QWidget>

class MainWindow;
struct PageDef;

class ParameterPage : public QWidget {
    Q_OBJECT
public:
    ParameterPage(int pageIndex, MainWindow* owner, QWidget* parent = nullptr);

    int pageIndex() const { return m_pageIndex; }
    unsigned templateId() const;
    bool isFactory() const;
    QString tabText() const;
    MainWindow* owner() const { return m_owner; }

    // The control with that id on this page, or nullptr.
    QWidget* control(int ctrlId) const { return m_controls.value(ctrlId, nullptr); }
    const QHash<int, QWidget*>& controls() const { return m_controls; }
    // Ids that the page's table gives to more than one item (should be none).
    const QList<int>& repeatedIds() const { return m_repeatedIds; }

private:
    int m_pageIndex;
    const PageDef& m_def;
    MainWindow* m_owner;
    QHash<int, QWidget*> m_controls;
    QList<int> m_repeatedIds;
};

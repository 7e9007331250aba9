#pragma once
// Shared pieces of the parameter-control tests: a camera scripted on the far end of a real
// pseudo-terminal, and a small page of real controls that answers look-ups by control id.
#include "ControlLookup.h"
#include "NumberBox.h"
#include "PtyPeer.h"
#include "UpDownControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Answers the command lines the program writes as a camera would: a setting is stored and
// acknowledged with "COMPLETE", a query is answered with the stored value. A setting can be
// scripted to be refused, and a query to answer a value of the camera's own choosing.
class ScriptedCamera {
public:
    explicit ScriptedCamera(PtyPeer& peer) : m_peer(peer), m_thread([this] { run(); }) {}
    ~ScriptedCamera()
    {
        m_stop = true;
        m_thread.join();
    }

    void SetValue(const std::string& mnemonic, int value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_values[mnemonic] = value;
    }
    // Every setting of this mnemonic is answered with the text instead of "COMPLETE".
    void RefuseSet(const std::string& mnemonic, const std::string& reply)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_refused[mnemonic] = reply;
    }
    // Queries of this mnemonic answer this value, whatever was set.
    void AnswerQuery(const std::string& mnemonic, int value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers[mnemonic] = value;
    }
    // The lines received so far, without their CR LF.
    std::vector<std::string> Lines()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }
    void ClearLines()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.clear();
    }
    // Forgets the lines, the stored values and every scripted answer.
    void Reset()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.clear();
        m_values.clear();
        m_refused.clear();
        m_answers.clear();
    }

private:
    void run()
    {
        std::string pending;
        while (!m_stop) {
            pending += m_peer.ReadUntil('\n', 50);
            size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                    line.pop_back();
                m_peer.Write(answer(line));
            }
        }
    }

    std::string answer(const std::string& line)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.push_back(line);
        const size_t eq = line.find('=');
        if (eq != std::string::npos) {
            const std::string mnemonic = line.substr(0, eq);
            auto refused = m_refused.find(mnemonic);
            if (refused != m_refused.end())
                return refused->second + "\r\n";
            m_values[mnemonic] = std::atoi(line.c_str() + eq + 1);
            return "COMPLETE\r\n";
        }
        if (!line.empty() && line.back() == '?') {
            const std::string mnemonic = line.substr(0, line.size() - 1);
            auto fixed = m_answers.find(mnemonic);
            const int value = fixed != m_answers.end() ? fixed->second : m_values[mnemonic];
            return mnemonic + "=" + std::to_string(value) + "\r\n";
        }
        return "ERROR\r\n";
    }

    PtyPeer& m_peer;
    std::mutex m_mutex;
    std::map<std::string, int> m_values;
    std::map<std::string, std::string> m_refused;
    std::map<std::string, int> m_answers;
    std::vector<std::string> m_lines;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// A page of real controls, found by id as the main window finds them.
class TestPage : public QWidget, public ControlLookup {
public:
    TestPage() { m_layout = new QVBoxLayout(this); }

    QWidget* FindControl(int ctrlId) const override
    {
        return findChild<QWidget*>(QStringLiteral("ctrl_%1").arg(ctrlId));
    }

    NumberBox* AddBox(int boxId, int spinId)
    {
        auto* box = new NumberBox(boxId, this);
        m_layout->addWidget(box);
        if (spinId) {
            auto* spin = new UpDownControl(spinId, this);
            m_layout->addWidget(spin);
            spin->setBuddy(box);
        }
        return box;
    }
    QComboBox* AddList(int id, const QStringList& items)
    {
        auto* list = new QComboBox(this);
        tag(list, id);
        list->addItems(items);
        return list;
    }
    QCheckBox* AddCheck(int id)
    {
        auto* box = new QCheckBox(QString::number(id), this);
        tag(box, id);
        return box;
    }
    // A radio group: the first id starts the group; the group is exclusive on its own.
    QList<QRadioButton*> AddRadioGroup(const std::vector<int>& ids)
    {
        auto* group = new QButtonGroup(this);
        QList<QRadioButton*> buttons;
        for (size_t i = 0; i < ids.size(); ++i) {
            auto* radio = new QRadioButton(QString::number(ids[i]), this);
            tag(radio, ids[i]);
            if (i == 0)
                radio->setProperty("groupStart", true);
            group->addButton(radio);
            buttons.append(radio);
        }
        return buttons;
    }
    QPushButton* AddButton(int id)
    {
        auto* button = new QPushButton(QString::number(id), this);
        tag(button, id);
        return button;
    }
    UpDownControl* Spin(int id) const { return findChild<UpDownControl*>(QStringLiteral("ctrl_%1").arg(id)); }
    NumberBox* Box(int id) const { return findChild<NumberBox*>(QStringLiteral("ctrl_%1").arg(id)); }
    QComboBox* List(int id) const { return findChild<QComboBox*>(QStringLiteral("ctrl_%1").arg(id)); }

private:
    void tag(QWidget* w, int id)
    {
        w->setProperty("ctrlId", id);
        w->setObjectName(QStringLiteral("ctrl_%1").arg(id));
        m_layout->addWidget(w);
    }
    QVBoxLayout* m_layout;
};

#include "LineFramer.h"

LineFramer::Step LineFramer::push(char byte)
{
    if (byte == '\n') {
        if (!m_pending.empty() && m_pending.back() == '\r')
            m_pending.pop_back();
        m_line.swap(m_pending);
        m_pending.clear();
        return Step::Line;
    }
    m_pending.push_back(byte);
    if (static_cast<int>(m_pending.size()) >= kBufferSize) {
        m_pending.clear();
        return Step::Overflow;
    }
    return Step::More;
}

#include "ScriptProgress.h"

namespace py = pybind11;

ScriptProgress::ScriptProgress(py::object callback) : m_callback(std::move(callback)) {}

ScriptProgress::~ScriptProgress()
{
    // Python objects are let go under the lock, wherever the walk ended.
    py::gil_scoped_acquire gil;
    m_error.reset();
    m_callback = py::object();
}

void ScriptProgress::begin(const std::string&)
{
    if (m_total > 0)
        m_before += m_walkSteps;
    m_walkSteps = 0;
}

void ScriptProgress::step(int done, int total)
{
    m_walkSteps = total;
    if (m_error)
        return;
    py::gil_scoped_acquire gil;
    try {
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        if (!m_callback.is_none())
            m_callback(m_before + done, m_total > 0 ? m_total : total);
    } catch (py::error_already_set& e) {
        m_error.emplace(std::move(e));
    }
}

void ScriptProgress::RaiseIfStopped()
{
    if (m_error) {
        py::error_already_set e = std::move(*m_error);
        m_error.reset();
        throw e;
    }
}

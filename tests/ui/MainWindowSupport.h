#pragma once
// A main window as the program builds one, with the windows beside it (Program.cpp): the
// communication window and the terminal are features of it.
#include "CommunicationFeature.h"
#include "CommunicationWindow.h"
#include "MainWindow.h"
#include "TerminalFeature.h"
#include "TerminalWindow.h"

#include <memory>

inline std::unique_ptr<MainWindow> MakeMainWindow(Camera& camera)
{
    auto window = std::make_unique<MainWindow>(camera);
    window->AddFeature(std::make_unique<CommunicationFeature>(camera, *window));
    window->AddFeature(std::make_unique<TerminalFeature>(camera, *window));
    return window;
}

inline CommunicationWindow* CommunicationOf(MainWindow& window)
{
    return &window.Features().Find<CommunicationFeature>()->Window();
}

inline TerminalWindow* TerminalOf(MainWindow& window)
{
    return &window.Features().Find<TerminalFeature>()->Window();
}

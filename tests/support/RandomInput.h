// Random user input for a list (or a tree, which is a list), sent as the real
// window messages a user's actions produce: keys with modifier states,
// characters, button presses, releases and double-clicks with their MK_ flags
// on rows, labels, headings and dividers, moves, the wheel, the scroll bars,
// timer ticks, paints (WM_PAINT, and WM_PRINTCLIENT into a memory DC), focus
// and capture changes, typing into an open editor and resizing.
//
// Timers are kept out of the sequence except as sent here, so that a seed
// replays the same way: posted WM_TIMER messages are dropped, other posted
// messages are dispatched after each step.
#pragma once
#include <windows.h>
#include <random>
#include <string>
#include "listctrl/SECListBase.h"

class RandomInput
{
public:
    explicit RandomInput(std::mt19937& random) : m_random(random) {}

    // Sends one action (a message or a short burst) to the list and answers
    // what it was, for trails. The list may be destroyed by what it is sent.
    std::string Step(SECListBaseC& list);
    // Timer ids the list's owner uses besides the list's own (the tree's auto-expand).
    void AddTimerId(UINT_PTR id) { m_extraTimer = id; }

    // Dispatches the posted messages of the thread, dropping timer ticks.
    static void DispatchPosted();

    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

private:
    UINT AnyKeys(UINT buttons);
    CPoint AnyPoint(SECListBaseC& list);
    std::string Press(SECListBaseC& list, UINT message, CPoint point);
    std::string Key(SECListBaseC& list);
    std::string Mouse(SECListBaseC& list);
    std::string Scroll(SECListBaseC& list);
    std::string Paint(SECListBaseC& list);
    std::string Editor(SECListBaseC& list);
    std::string Other(SECListBaseC& list);

    std::mt19937& m_random;   // the seed's generator
    UINT_PTR m_extraTimer = 0; // a further timer id to tick, 0 for none
};

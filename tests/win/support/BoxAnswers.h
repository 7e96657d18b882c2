#pragma once

// Answers the program's message boxes while it lives (Yes, No, ...), in the
// order given, and records each box with whether its owner was on screen. One
// at a time per process; the handler it replaced comes back when it goes.

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "framework/MessageBox.h"

struct AnsweredBox {
    std::string text;
    std::string caption;
    UINT type;
    bool ownerVisible;
};

class BoxAnswers {
public:
    // Once the answers run out, every box is answered IDOK.
    explicit BoxAnswers(std::initializer_list<int> answers = {});
    ~BoxAnswers();
    BoxAnswers(const BoxAnswers&) = delete;
    BoxAnswers& operator=(const BoxAnswers&) = delete;

    void Add(int answer) { m_answers.push_back(answer); }
    const std::vector<AnsweredBox>& Boxes() const { return m_boxes; }
    std::vector<std::string> Texts() const;

private:
    static int Answer(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);

    std::deque<int> m_answers;
    std::vector<AnsweredBox> m_boxes;
    MessageBoxHandler m_pfnPrevious;
};

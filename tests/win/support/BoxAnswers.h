#pragma once

// Answers the program's message boxes (Yes, No, ...) in the order given while
// it lives, then IDOK, and records each box's text and type and whether its
// owner was on screen. One at a time; the replaced handler comes back after.

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
    explicit BoxAnswers(std::initializer_list<int> answers = {})
        : m_answers(answers), m_pfnPrevious(AfxSetMessageBoxHandler(&Answer))
    {
        Active() = this;
    }
    ~BoxAnswers()
    {
        AfxSetMessageBoxHandler(m_pfnPrevious);
        Active() = nullptr;
    }

    std::vector<AnsweredBox> m_boxes;

private:
    static BoxAnswers*& Active()
    {
        static BoxAnswers* s_pActive = nullptr;
        return s_pActive;
    }
    static int Answer(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
    {
        BoxAnswers* pThis = Active();
        pThis->m_boxes.push_back({pszText, pszCaption, nType, hOwner && ::IsWindowVisible(hOwner)});
        if (pThis->m_answers.empty()) return IDOK;
        const int answer = pThis->m_answers.front();
        pThis->m_answers.pop_front();
        return answer;
    }

    std::deque<int> m_answers;
    MessageBoxHandler m_pfnPrevious;
};

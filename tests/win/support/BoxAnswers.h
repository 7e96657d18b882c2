#pragma once

// Answers the program's message boxes in the order given (IDYES, IDNO, ...),
// then with IDOK, and records each with whether its owner was on screen. One
// at a time; the handler it replaced comes back when it goes.

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "framework/MessageBox.h"

struct AnsweredBox {
    std::string text, caption;
    UINT type;
    bool ownerVisible;
};

class BoxAnswers {
public:
    explicit BoxAnswers(std::initializer_list<int> answers) : m_answers(answers) { Active() = this; }
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
    MessageBoxHandler m_pfnPrevious = AfxSetMessageBoxHandler(&Answer);
};

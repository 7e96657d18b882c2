#include "tests/win/support/BoxAnswers.h"

namespace {

BoxAnswers* g_pActive = nullptr;

}  // namespace

BoxAnswers::BoxAnswers(std::initializer_list<int> answers) : m_answers(answers)
{
    g_pActive = this;
    m_pfnPrevious = AfxSetMessageBoxHandler(&BoxAnswers::Answer);
}

BoxAnswers::~BoxAnswers()
{
    AfxSetMessageBoxHandler(m_pfnPrevious);
    g_pActive = nullptr;
}

std::vector<std::string> BoxAnswers::Texts() const
{
    std::vector<std::string> texts;
    for (const AnsweredBox& box : m_boxes) texts.push_back(box.text);
    return texts;
}

int BoxAnswers::Answer(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType)
{
    if (!g_pActive) return IDOK;
    g_pActive->m_boxes.push_back({pszText, pszCaption, nType, hOwner && ::IsWindowVisible(hOwner)});
    if (g_pActive->m_answers.empty()) return IDOK;
    const int answer = g_pActive->m_answers.front();
    g_pActive->m_answers.pop_front();
    return answer;
}

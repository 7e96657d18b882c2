#pragma once

// CSectionState: where the main window's feeds stand: the section and the
// search tab on screen, the row each video list plays, the search term and
// the rank's prompt, and what each list's rows were made from, column by
// column, as its last load gave them (the lists show the same texts,
// shortened). Only the window's thread touches it.

#include "core/Section.h"
#include "framework/String.h"
#include "framework/StringArray.h"

class CSectionState {
public:
    // One of core::Section.
    int m_nSection = core::kSectionSearch;
    // The tab on screen in the search section; the section switch writes it too.
    int m_nTab = 1;
    int m_nVideoIndex = 0;
    int m_nChannelIndex = 0;

    CString m_strKeyword;
    CString m_strTopKeyword;
    // What the program itself last wrote into the search box: other text
    // there (typed, pasted, set by an input method) is the user's and stays.
    CString m_strPromptShown;

    CStringArray m_arrVideoTitle;
    CStringArray m_arrVideoViews;
    CStringArray m_arrVideoDate;
    CStringArray m_arrVideoSeconds;
    CStringArray m_arrVideoUrl;
    CStringArray m_arrTweetTitle;
    CStringArray m_arrTweetName;
    CStringArray m_arrTweetDate;
    CStringArray m_arrTweetUri;
    CStringArray m_arrChannelTitle;
    CStringArray m_arrChannelTime;
    CStringArray m_arrChannelRatings;
    CStringArray m_arrChannelViews;
    CStringArray m_arrChannelUrl;
};

#pragma once

// Fixed texts of the main program (CP949 once compiled).

inline constexpr const char kTextProductName[] = "스텔론";
inline constexpr const char kTextAlreadyRunning[] = "스텔론 현재 실행 중입니다.";
inline constexpr const char kTextEnterKeyword[] = "검색어를 입력해주세요.";
inline constexpr const char kTextNoResponse[] = "서버에서 응답이 없습니다. 잠시후 다시 시도해주세요.";
inline constexpr const char kTextUpToDate[] = "사용 중인 스텔론는 이미 최신 버전입니다.";
inline constexpr const char kTextConfirmSettings[] = "새로운 환경설정으로 적용하시겠습니까?";
inline constexpr const char kTextSettingsApplied[] = "새로운 설정이 정상적으로 적용되었습니다.";
inline constexpr const char kTextSettingsNotSaved[] = "설정을 저장하지 못했습니다.";
inline constexpr const char kTextAbout[] = "스텔론 7.0\n\n스텔론 - 동영상, 음악, 유머를 한 곳에서\n";

inline constexpr const char kTabVideoResults[] = "유튜브 검색결과";
inline constexpr const char kTabTweetResults[] = "트위터 검색결과";
inline constexpr const char kTabMusicChart[] = "주간차트 TOP20";
inline constexpr const char kTabHumorLatest[] = "최신글목록";

; The per-user installer of stel7 and its boot agent, also the updater that the
; update document announces. makensis gets, with -D: TARGET (x86-unicode or
; amd64-unicode), STEL7_EXE, AGENT_EXE, ICON and OUTFILE. The build numbers
; come from the programs' own version resources.
Unicode true
Target ${TARGET}
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!getdllversion "${STEL7_EXE}" STEL7_V
!getdllversion "${AGENT_EXE}" AGENT_V
!define VERSION "${STEL7_V1}.${STEL7_V2}.${STEL7_V3}.${STEL7_V4}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\stel7"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MENU_DIR "$SMPROGRAMS\스텔론"

Name "스텔론"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\stel7"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\stel7.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductName" "스텔론"
VIAddVersionKey /LANG=${LANG_KOREAN} "CompanyName" "스텔론 소프트웨어"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileDescription" "스텔론 설치"
VIAddVersionKey /LANG=${LANG_KOREAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_KOREAN} "LegalCopyright" "스텔론 소프트웨어"

Var WasRunning

; Never puts an older build over a newer one (an old installer offered again
; would roll the user back): silent, it ends with error level 3 and changes
; nothing; interactive, it asks, and goes on only when the user says so.
Function .onInit
    ReadRegStr $0 HKCU "Software\stel7\update" "stel7"
    ReadRegStr $1 HKCU "Software\stel7\update" "stel7agent"
    ${If} $0 > ${STEL7_V4}
    ${OrIf} $1 > ${AGENT_V4}
        MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "이미 설치된 스텔론이 이 설치 파일보다 새 버전입니다. 그래도 이전 버전으로 설치하시겠습니까?" /SD IDNO IDYES older_confirmed
        SetErrorLevel 3
        Quit
    older_confirmed:
    ${EndIf}
FunctionEnd

; Asks running copies to end as their exit command does, and waits up to 20 s
; for their single-instance mutexes to go. Sets $WasRunning when the main
; program ran. Aborts when a copy stays.
!macro END_RUNNING_COPIES UN
Function ${UN}EndRunningCopies
    StrCpy $WasRunning 0
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "stel7") p .r1'
    ${If} $1 P<> 0
        StrCpy $WasRunning 1
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    System::Call 'user32::RegisterWindowMessageW(w "stel7_exit") i .r0'
    System::Call 'user32::PostMessageW(p 0xffff, i r0, p 0, p 0)'
    StrCpy $3 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "stel7") p .r1'
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "stel7agent") p .r2'
        System::Call 'kernel32::CloseHandle(p r1)'
        System::Call 'kernel32::CloseHandle(p r2)'
        ${If} $1 P= 0
        ${AndIf} $2 P= 0
            Return
        ${EndIf}
        IntOp $3 $3 + 1
        ${If} $3 > 200
            MessageBox MB_OK|MB_ICONSTOP "스텔론이 종료되지 않아 계속할 수 없습니다. 스텔론을 종료한 후 다시 시도해주세요." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        Sleep 100
    ${Loop}
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPIES ""
!insertmacro END_RUNNING_COPIES "un."

; Puts a file extracted as NAME.new in place of NAME in one step.
!macro PLACE NAME
    System::Call 'kernel32::MoveFileExW(w "$INSTDIR\${NAME}.new", w "$INSTDIR\${NAME}", i 1) i .r0'
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "파일을 바꾸지 못했습니다: ${NAME}" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Section "스텔론"
    Call EndRunningCopies
    SetOutPath "$INSTDIR"
    ; Every new file is complete before any old one is replaced, so an
    ; interrupted install leaves the old copy (or nothing), never half of one.
    File "/oname=stel7.exe.new" "${STEL7_EXE}"
    File "/oname=stel7agent.exe.new" "${AGENT_EXE}"
    !insertmacro PLACE "stel7.exe"
    !insertmacro PLACE "stel7agent.exe"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The programs compare these with the update document's builds.
    WriteRegStr HKCU "Software\stel7\update" "stel7" "${STEL7_V4}"
    WriteRegStr HKCU "Software\stel7\update" "stel7agent" "${AGENT_V4}"
    WriteRegStr HKCU "${RUN_KEY}" "stel7agent" '"$INSTDIR\stel7agent.exe"'

    CreateDirectory "${MENU_DIR}"
    CreateShortCut "${MENU_DIR}\스텔론.lnk" "$INSTDIR\stel7.exe"
    CreateShortCut "${MENU_DIR}\스텔론 제거.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "스텔론"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "스텔론 소프트웨어"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\stel7.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; As the updater of a running copy, it brings the program back: here when
    ; silent; otherwise the finish page's ticked run box does, once.
    ${If} $WasRunning = 1
    ${AndIf} ${Silent}
        Exec '"$INSTDIR\stel7.exe"'
    ${EndIf}
SectionEnd

; Removes what the installer made. The user's settings (Software\stel7\config)
; stay unless /REMOVESETTINGS is given or the user asks for it.
Section "Uninstall"
    Call un.EndRunningCopies
    Delete "$INSTDIR\stel7.exe"
    Delete "$INSTDIR\stel7agent.exe"
    Delete "$INSTDIR\stel7.exe.new"
    Delete "$INSTDIR\stel7agent.exe.new"
    ; This runs in a temporary copy of the uninstaller, which its original
    ; started and may not have ended yet: its file goes once it is let go.
    StrCpy $0 0
    ${Do}
        Delete "$INSTDIR\uninstall.exe"
        ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
        ${OrIf} $0 >= 100
            ${ExitDo}
        ${EndIf}
        Sleep 100
        IntOp $0 $0 + 1
    ${Loop}
    ; Not the folder's current directory either.
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
    Delete "${MENU_DIR}\스텔론.lnk"
    Delete "${MENU_DIR}\스텔론 제거.lnk"
    RMDir "${MENU_DIR}"
    DeleteRegValue HKCU "${RUN_KEY}" "stel7agent"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\stel7\update"

    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        DeleteRegKey HKCU "Software\stel7\config"
    ${ElseIfNot} ${Silent}
        MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION "사용자 환경설정도 삭제하시겠습니까?" IDNO +2
        DeleteRegKey HKCU "Software\stel7\config"
    ${EndIf}
    DeleteRegKey /ifempty HKCU "Software\stel7"
SectionEnd

; The players' setup: a per-user install of the client (which carries its
; updater), its shortcuts and its entry in "Apps & features". The build
; (installer/CMakeLists.txt) passes DEFINES, a file of !defines; a define
; given on makensis's command line comes first.
Unicode true
!include "${DEFINES}"
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define CLIENT "Tavrin.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${GAME_CODE}"
; Exit codes besides NSIS's own (1 cancelled, 2 aborted).
!define EXIT_RUNNING 3
!define EXIT_UNFINISHED 4
!define EXIT_FAILED 5

Name "${GAME_TITLE}"
OutFile "${OUTFILE}"
; Per user: updates into this folder never need an administrator.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${GAME_TITLE}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${GAME_TITLE}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${GAME_TITLE} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!ifdef SIGN
; The setup and its uninstaller, each once written, with the build's certificate.
!finalize '${SIGN} "%1"' = 0
!uninstfinalize '${SIGN} "%1"' = 0
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${CLIENT}"
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${GAME_TITLE}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Var MadeFolder

; Before anything changes: the client must not run from the folder nor an
; update work on it, and an unfinished update is settled by the client's
; own recovery (FolderCheck.exe). The player may close the client and try
; again; silently, or when the player gives up, the run ends with its code.
!macro FOLDER_CHECK un
Function ${un}CheckFolder
    InitPluginsDir
    SetOutPath "$PLUGINSDIR"
    File "${FOLDER_CHECK}"
    ${Do}
        ClearErrors
        ExecWait '"$PLUGINSDIR\FolderCheck.exe" "$INSTDIR\${CLIENT}"' $0
        ${If} ${Errors}
            StrCpy $0 5
        ${EndIf}
        ${If} $0 == 0
            Return
        ${ElseIf} $0 == 2
            StrCpy $1 "${GAME_TITLE} 正在运行。请先关闭游戏，然后点击“重试”。"
            StrCpy $2 ${EXIT_RUNNING}
        ${ElseIf} $0 == 3
            StrCpy $1 "${GAME_TITLE} 正在更新。请等待更新结束，然后点击“重试”。"
            StrCpy $2 ${EXIT_RUNNING}
        ${ElseIf} $0 == 4
            !if "${un}" == "un."
                Return ; the journal goes with the rest
            !endif
            StrCpy $1 "上次更新未能完成，游戏文件未能修复。请关闭所有占用游戏文件的程序，然后点击“重试”。"
            StrCpy $2 ${EXIT_UNFINISHED}
        ${Else}
            StrCpy $1 "无法检查安装文件夹：$INSTDIR"
            StrCpy $2 ${EXIT_FAILED}
        ${EndIf}
        IfSilent give_up
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$1" IDRETRY next
    give_up:
        SetErrorLevel $2
        Quit
    next:
    ${Loop}
FunctionEnd
!macroend
!insertmacro FOLDER_CHECK ""
!insertmacro FOLDER_CHECK "un."

Section
    SetShellVarContext current
    Call CheckFolder
    StrCpy $MadeFolder 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $MadeFolder 1
    ${EndIf}
    ClearErrors
    SetOutPath "$INSTDIR"
    ; A file that cannot be written fails the run; a folder made here goes.
    SetOverwrite try
    File "/oname=${CLIENT}" "${CLIENT_SOURCE}"
    ${If} ${Errors}
        ${If} $MadeFolder == 1
            SetOutPath "$TEMP"
            RMDir "$INSTDIR"
        ${EndIf}
        IfSilent +2
        MessageBox MB_OK|MB_ICONSTOP "无法写入 $INSTDIR\${CLIENT}。"
        SetErrorLevel ${EXIT_FAILED}
        Quit
    ${EndIf}
    SetOverwrite on
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    CreateShortcut "$SMPROGRAMS\${GAME_TITLE}.lnk" "$INSTDIR\${CLIENT}"
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NODESKTOP" $1
    ${If} ${Errors}
        CreateShortcut "$DESKTOP\${GAME_TITLE}.lnk" "$INSTDIR\${CLIENT}"
    ${EndIf}

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${GAME_TITLE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${CLIENT},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    DetailPrint "$(^Completed)" ; over the size's own status line
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
!ifdef PROGRESS_HOLD
    Sleep ${PROGRESS_HOLD} ; the progress page held for its picture (tools/setup_screenshots.py)
!endif
SectionEnd

; What the setup made and what the client leaves in its folder: the
; updater's own names (update.tavrin-journal, NAME.tavrin-new, -old and
; their downloads, its elevated copy) and its write probes. Nothing else.
Section "Uninstall"
    SetShellVarContext current
    Call un.CheckFolder
    Delete "$INSTDIR\${CLIENT}"
    Delete "$INSTDIR\*.tavrin-*"
    Delete "$INSTDIR\tavrin-write-probe*"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "$SMPROGRAMS\${GAME_TITLE}.lnk"
    Delete "$DESKTOP\${GAME_TITLE}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
SectionEnd

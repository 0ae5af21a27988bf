; The per-user installer of the Windows build: no administrator rights, the program in
; %LOCALAPPDATA%\Programs\<product>, a Start-menu shortcut, an entry in "Apps & features" and an
; uninstaller that takes away exactly what this wrote. /S installs and uninstalls silently.
; Installing again upgrades in place; neither step changes anything while the program runs.
; package.cmake passes VERSION, PRODUCT, PUBLISHER, COMMENT, EXE, ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A file that cannot be written stops the install (Retry or Cancel, Cancel when silent) instead of
; being skipped under an entry that names the new version.
AllowSkipFiles off
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\org.velmora.Kanji"
!define PROGRAM "velmora-kanji.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the first install went; /D= still chooses another.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}, MIT licence"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks to close the program in folder $0 while it runs; Cancel, and a silent run, end with status
; 2 before anything changes. The test is the one Windows applies, that a running program's file
; can be neither written nor deleted: it finds the copy in that folder whatever its version, one
; installed before this check included, and no copy run from elsewhere (the zip's) stops it.
!macro CLOSED un
Function ${un}Closed
    retry:
    ClearErrors
    ${If} ${FileExists} "$0\${PROGRAM}"
        FileOpen $1 "$0\${PROGRAM}" a
        ; $1, not the error flag, which every test of it clears.
        ${If} $1 != ""
            FileClose $1
            !if "${un}" == "un."
                ; The uninstall's first step, right after the check, so that a program started
                ; meanwhile cannot stay behind.
                Delete "$0\${PROGRAM}"
            !endif
        ${EndIf}
    ${EndIf}
    ${If} ${Errors}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is open. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSED ""
!insertmacro CLOSED "un."

Section
    SetShellVarContext current
    StrCpy $0 "$INSTDIR"
    Call Closed
    ; Installed elsewhere before: moved here, so no copy is left without an entry to remove it.
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
    ${AndIf} $R0 != "$INSTDIR"
        StrCpy $0 $R0
        Call Closed
        Delete "$R0\${PROGRAM}"
        Delete "$R0\uninstall.exe"
        RMDir "$R0"
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM}" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
        SW_SHOWNORMAL "" "${COMMENT}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer wrote: RMDir without /r keeps a folder the user chose that holds
; files of their own, and the shared parents (%LOCALAPPDATA%\Programs, the Uninstall key) stay.
Section "Uninstall"
    SetShellVarContext current
    ; The program first: an uninstaller that went on while it runs would leave it behind with no
    ; entry in "Apps & features" to remove it by.
    StrCpy $0 "$INSTDIR"
    Call un.Closed
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

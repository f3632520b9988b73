; Tivorn installer: a per-user installation (no administrator rights) into a
; folder the user can write, because the program keeps its Data folder beside
; itself. Built by scripts/make-installer.sh, which lays out the folder to pack
; (STAGE) and passes:
;   ARCH     x86 (the release) or amd64 (the 64-bit build the tests install)
;   STAGE    the folder laid out as installed (without the user's data)
;   ICON     the program's icon (.ico)
;   OUTFILE  the installer to write
;
; What the installer never does:
; - touch the user's data: Data\index.txt, Data\yyyymmdd.rtf, Data\jegyzet.rtf
;   are not in the package, so an upgrade or a repair leaves them as they are;
; - make the shortcuts the program makes itself at its first start (doc.lnk,
;   mail.lnk, ketrabo.lnk beside itself, one desktop link and three start-menu
;   links once). The installer provides the start-menu folder those three go
;   into, because the program does not create it, and puts the one link none of
;   them is into it: "Tivorn", which starts the program.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef ARCH
  !define ARCH x86
!endif
!if "${ARCH}" == "amd64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!define VERSION "2.3"
!define PRODUCT "Tivorn"
!define PUBLISHER "Ketrabo"
!define EXE "tivorn.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tivorn"
!define SETTINGS_KEY "Software\Ketrabo\Tivorn"
!define SHELL_FOLDERS "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
; The start-menu folder of the program's own links, under the user's programs folder.
!define MENU_FOLDER "Ketrabo\Tivorn"
; The installer's one link, which starts the program.
!define START_LINK "Tivorn.lnk"

Name "${PRODUCT} V${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tivorn"
; An upgrade or a repair goes where the installed copy is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP \
  "A program fájljai és parancsikonjai törlődnek. A bejegyzései és a jegyzettömb csak akkor, ha az alábbi négyzetet bejelöli."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Hungarian"

VIAddVersionKey /LANG=${LANG_HUNGARIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "FileDescription" "Tivorn határidőnapló – telepítő"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_HUNGARIAN} "LegalCopyright" "© ${PUBLISHER}"

; ---------------------------------------------------------------------------
; Installation

Section "Tivorn" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}\${EXE}"
  File "${STAGE}\Színek.txt"
  File "${STAGE}\tivorn.pdf"
  File "${STAGE}\mail.url"
  File "${STAGE}\ketrabo.url"
  SetOutPath "$INSTDIR\Data"
  File "${STAGE}\Data\Névnapok.txt"
  File "${STAGE}\Data\Névnapok.rtf"
  File "${STAGE}\Data\Munkarend.txt"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The program saves its three start-menu links only into an existing folder.
  Call ProgramsFolder
  Pop $0
  CreateDirectory "$0\${MENU_FOLDER}"
  CreateShortcut "$0\${MENU_FOLDER}\${START_LINK}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "Tivorn határidőnapló"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} határidőnapló"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" 2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" 3
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size of the program's own files in KiB (the user's data is not counted).
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The user's programs folder as the program itself finds it (the per-user
; "Shell Folders" value), or the shell's answer when that value is missing.
!macro PROGRAMS_FOLDER un
Function ${un}ProgramsFolder
  ReadRegStr $R9 HKCU "${SHELL_FOLDERS}" "Programs"
  ${If} $R9 == ""
    StrCpy $R9 "$SMPROGRAMS"
  ${EndIf}
  Push $R9
FunctionEnd
!macroend
!insertmacro PROGRAMS_FOLDER ""
!insertmacro PROGRAMS_FOLDER "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

; ---------------------------------------------------------------------------
; Uninstallation

Section "un.Tivorn" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Színek.txt"
  Delete "$INSTDIR\tivorn.pdf"
  Delete "$INSTDIR\mail.url"
  Delete "$INSTDIR\ketrabo.url"
  Delete "$INSTDIR\Data\Névnapok.txt"
  Delete "$INSTDIR\Data\Névnapok.rtf"
  Delete "$INSTDIR\Data\Munkarend.txt"
  ; Made by the program: its links and the hand-over copy for the word processor.
  Delete "$INSTDIR\doc.lnk"
  Delete "$INSTDIR\mail.lnk"
  Delete "$INSTDIR\ketrabo.lnk"
  Delete "$INSTDIR\tmp.lnk"
  Delete "$INSTDIR\doctmp.rtf"

  ; The program's one-time links, in the folders the program took them from.
  ReadRegStr $0 HKCU "${SHELL_FOLDERS}" "Desktop"
  ${If} $0 != ""
    Delete "$0\Ketrabo honlapja.lnk"
  ${EndIf}
  Delete "$DESKTOP\Ketrabo honlapja.lnk"
  Call un.ProgramsFolder
  Pop $0
  Delete "$0\${MENU_FOLDER}\Program ismertető.lnk"
  Delete "$0\${MENU_FOLDER}\Ketrabo honlapja.lnk"
  Delete "$0\${MENU_FOLDER}\Levélküldés.lnk"
  Delete "$0\${MENU_FOLDER}\${START_LINK}"
  RMDir "$0\${MENU_FOLDER}"
  RMDir "$0\Ketrabo"

  ; The links are gone: a later installation lets the program make them again.
  DeleteRegValue HKCU "${SETTINGS_KEY}" "Ikonok"
  ; The start with Windows (the reminders' option) would name a program that is gone.
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Tivorn"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.A bejegyzések és a jegyzettömb törlése" SecUnData
  Delete "$INSTDIR\Data\index.txt"
  Delete "$INSTDIR\Data\jegyzet.rtf"
  ; Reminders, yearly marks, people, the reminders' last check, and the imports' keys.
  Delete "$INSTDIR\Data\emlekeztetok.txt"
  Delete "$INSTDIR\Data\emlekeztetok-allapot.txt"
  Delete "$INSTDIR\Data\evente.txt"
  Delete "$INSTDIR\Data\emberek.txt"
  Delete "$INSTDIR\Data\Importalt.txt"
  ; Day notes are named yyyymmdd.rtf; *.tmp are left over from an interrupted save.
  Delete "$INSTDIR\Data\????????.rtf"
  Delete "$INSTDIR\Data\*.tmp"
  ; The program's daily snapshots of these files (Data\Mentések\yyyy-mm-dd*.zip).
  Delete "$INSTDIR\Data\Mentések\????-??-??*.zip"
  Delete "$INSTDIR\Data\Mentések\*.tmp"
  ; The settings (window position, colours) belong to the user's data too.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Ketrabo"
SectionEnd

Section "-un.Folders"
  ; Only empty folders go: whatever else the user keeps there stays.
  RMDir "$INSTDIR\Data\Mentések"
  RMDir "$INSTDIR\Data"
  RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} \
    "A program fájljai, a mellette lévő parancsikonok, az asztali és a Start menü parancsikonjai."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnData} \
    "Minden bejegyzés, a jegyzettömb és a beállítások végleges törlése."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

; /DELETEDATA ticks the box, for an uninstallation without pages (/S).
Function un.onInit
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DELETEDATA" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecUnData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

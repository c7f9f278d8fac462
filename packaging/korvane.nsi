; The setup program: the x64 files on 64-bit Windows, the x86 ones otherwise.
; tools/package defines VERSION, VERSION_TEXT, FILE_VERSION, X64, X86 (the
; folders of each architecture's files), UPGRADE_CODE (the MSIs'), OUTFILE
; and, when signing, SIGNER (a command that signs the file it is given).
; ANSI and NSIS's default stub: it runs on Windows 2000.
;
; Silent: /S; /D=FOLDER for another folder; /NOPATH leaves PATH alone.
; Exit codes besides NSIS's own (0 done, 1 cancelled, 2 aborted):
!define EXIT_MSI_INSTALLED 3
!define EXIT_NEWER_INSTALLED 4

!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!addincludedir "${__FILEDIR__}"
!include path.nsh

!define PRODUCT "Korvane RAM Disk Tools"
!define PUBLISHER "Korvane"
!define SHORTCUT "Korvane Configuration Utility"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KorvaneTools"
!define LOG_NAME "korvane-tools-setup.log"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION_TEXT}"
VIAddVersionKey ProductVersion "${VERSION_TEXT}"
VIAddVersionKey LegalCopyright "${PUBLISHER}"

!ifdef SIGNER
  !uninstfinalize '"${SIGNER}" "%1"'
!endif

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The installation this one goes over: its folder and the PATH entry it added.
Var InstalledFolder
Var InstalledPathEntry

!insertmacro PATH_EDIT_FUNCTION ""
!insertmacro PATH_EDIT_FUNCTION "un."

; One line in %TEMP%\korvane-tools-setup.log (C:\Windows\Temp for SYSTEM).
!macro LOG line
  Push "${line}"
  Call Log
!macroend
Function Log
  Exch $0
  Push $1
  ClearErrors
  FileOpen $1 "$TEMP\${LOG_NAME}" a
  ${IfNot} ${Errors}
    FileSeek $1 0 END
    FileWrite $1 "${PRODUCT} ${VERSION} setup: $0$\r$\n"
    FileClose $1
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd

; Ends the setup with CODE after saying why: a message box, or with /S a
; line in the log.
!macro REFUSE code text
  !insertmacro LOG "refused, exit code ${code}: ${text}"
  MessageBox MB_OK|MB_ICONSTOP "${text}$\r$\n$\r$\n(Also written to $TEMP\${LOG_NAME}.)" /SD IDOK
  SetErrorLevel ${code}
  Quit
!macroend

; The files of one installation, as the uninstaller and a move remove them.
!macro REMOVE_FILES folder
  Delete "${folder}\korvex.exe"
  Delete "${folder}\korvexcfg.exe"
  Delete "${folder}\korvane.ramdisk.dsc.resource.json"
  Delete "${folder}\korvlnch.dll"
  Delete "${folder}\korvlnch.h"
  Delete "${folder}\README.txt"
  Delete "${folder}\uninstall.exe"
  RMDir "${folder}"
!macroend


Section "${PRODUCT}" SectionFiles
  SectionIn RO
  SetOutPath $INSTDIR
  ${If} ${RunningX64}
    File "${X64}\korvex.exe"
    File "${X64}\korvexcfg.exe"
    File "${X64}\korvane.ramdisk.dsc.resource.json"
    File "${X64}\korvlnch.dll"
    File "${X64}\korvlnch.h"
    File "${X64}\README.txt"
  ${Else}
    File "${X86}\korvex.exe"
    File "${X86}\korvexcfg.exe"
    File "${X86}\korvane.ramdisk.dsc.resource.json"
    File "${X86}\korvlnch.dll"
    File "${X86}\korvlnch.h"
    File "${X86}\README.txt"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\korvex.exe"

  ; Installed elsewhere before: moved, nothing left there.
  ${If} $InstalledFolder != ""
  ${AndIf} $InstalledFolder != $INSTDIR
    !insertmacro REMOVE_FILES $InstalledFolder
    ${If} $InstalledPathEntry != ""
      StrCpy $0 $InstalledPathEntry
      StrCpy $1 remove
      Call PathEdit
      StrCpy $InstalledPathEntry ""
    ${EndIf}
    !insertmacro LOG "moved from $InstalledFolder"
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\korvex.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ; What is installed, uninstaller included, in KB.
  StrCpy $0 0
  ${ForEach} $1 1 7 + 1
    ${Select} $1
      ${Case} 1
        StrCpy $2 korvex.exe
      ${Case} 2
        StrCpy $2 korvexcfg.exe
      ${Case} 3
        StrCpy $2 korvane.ramdisk.dsc.resource.json
      ${Case} 4
        StrCpy $2 korvlnch.dll
      ${Case} 5
        StrCpy $2 korvlnch.h
      ${Case} 6
        StrCpy $2 README.txt
      ${Case} 7
        StrCpy $2 uninstall.exe
    ${EndSelect}
    ClearErrors
    FileOpen $3 "$INSTDIR\$2" r
    ${IfNot} ${Errors}
      FileSeek $3 0 END $2
      FileClose $3
      IntOp $0 $0 + $2
    ${EndIf}
  ${Next}
  IntOp $0 $0 + 1023
  IntOp $0 $0 / 1024
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
  !insertmacro LOG "installed in $INSTDIR"
SectionEnd

; On by default; /NOPATH (or clearing it) leaves PATH alone, and takes out
; an entry an earlier install added. The entry ends in "\" as the MSI's
; does, so that an MSI taking over this installation finds it its own.
Section "Add the folder to the machine's PATH" SectionPath
  ${If} $InstalledPathEntry != "$INSTDIR\"
    StrCpy $0 "$INSTDIR\"
    StrCpy $1 add
    Call PathEdit
    ${If} $1 == changed
      WriteRegStr HKLM "${UNINSTALL_KEY}" PathEntry "$INSTDIR\"
    ${ElseIf} $1 == failed
      !insertmacro LOG "PATH could not be changed"
    ${EndIf}
  ${EndIf}
SectionEnd

Section "-" SectionPathOff
  ${IfNot} ${SectionIsSelected} ${SectionPath}
  ${AndIf} $InstalledPathEntry != ""
    StrCpy $0 $InstalledPathEntry
    StrCpy $1 remove
    Call PathEdit
    DeleteRegValue HKLM "${UNINSTALL_KEY}" PathEntry
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext all
  ; One installation, one uninstall entry: while an MSI of ours is
  ; installed, the setup refuses rather than install a second copy beside it
  ; or remove what Windows Installer recorded; the MSI takes over a setup's
  ; installation instead. No msi.dll: no MSI installed.
  System::Call 'msi::MsiEnumRelatedProductsA(m "{${UPGRADE_CODE}}", i 0, i 0, m .r1) i.r0'
  ${If} $0 == 0
    ${If} ${RunningX64}
      StrCpy $2 x64
    ${Else}
      StrCpy $2 x86
    ${EndIf}
    !insertmacro REFUSE ${EXIT_MSI_INSTALLED} "${PRODUCT} is installed by its Windows Installer package (MSI, product code $1). Install this version with its MSI: msiexec /i korvane-tools-${VERSION}-$2.msi, or uninstall the MSI first."
  ${EndIf}
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ReadRegStr $InstalledFolder HKLM "${UNINSTALL_KEY}" InstallLocation
  ReadRegStr $InstalledPathEntry HKLM "${UNINSTALL_KEY}" PathEntry
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" DisplayVersion
  ${If} $0 != ""
    ${VersionCompare} $0 ${VERSION} $1
    ${If} $1 == 1
      !insertmacro REFUSE ${EXIT_NEWER_INSTALLED} "${PRODUCT} $0 is installed, newer than this setup's ${VERSION}. Uninstall it first to go back to ${VERSION}."
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 /NOPATH $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SectionPath}
  ${EndIf}
  ; /D= has set it already; otherwise the installed folder, else the default.
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR $InstalledFolder
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Korvane"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Korvane"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section Uninstall
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  ; Exactly the entry the install added.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" PathEntry
  ${If} $0 != ""
    StrCpy $1 remove
    Call un.PathEdit
  ${EndIf}
  !insertmacro REMOVE_FILES $INSTDIR
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

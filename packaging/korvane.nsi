; The setup program: the x64 files on 64-bit Windows, the x86 ones otherwise.
; tools/package defines VERSION, VERSION_TEXT, FILE_VERSION, X64, X86 (the
; folders of each architecture's files), SIZE_X64, SIZE_X86 (in KB),
; UPGRADE_CODE (the MSIs'), OUTFILE and, when signing, SIGNER (a command that
; signs the file it is given).
; ANSI and NSIS's default stub: it runs on Windows 2000.

!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Korvane RAM Disk Tools"
!define PUBLISHER "Korvane"
!define SHORTCUT "Korvane Configuration Utility"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KorvaneTools"

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

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext all
  ; One install, one uninstall entry: while an MSI of ours is installed, this
  ; refuses (exit code 2) rather than install a second copy beside it or
  ; remove what Windows Installer recorded. No msi.dll: no MSI installed.
  System::Call 'msi::MsiEnumRelatedProductsA(m "{${UPGRADE_CODE}}", i 0, i 0, m .r1) i.r0'
  ${If} $0 == 0
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed already by its Windows Installer package (MSI).$\r$\n$\r$\nUninstall it first in Add or Remove Programs, or install this version with the MSI: msiexec /i korvane-tools-${VERSION}-x64.msi (x86 on 32-bit Windows)." /SD IDOK
    Abort
  ${EndIf}
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; /D= has set it already
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Korvane"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Korvane"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section
  SetOutPath $INSTDIR
  ${If} ${RunningX64}
    File "${X64}\korvex.exe"
    File "${X64}\korvexcfg.exe"
    File "${X64}\korvane.ramdisk.dsc.resource.json"
    File "${X64}\korvlnch.dll"
    File "${X64}\korvlnch.h"
    File "${X64}\README.txt"
    StrCpy $0 ${SIZE_X64}
  ${Else}
    File "${X86}\korvex.exe"
    File "${X86}\korvexcfg.exe"
    File "${X86}\korvane.ramdisk.dsc.resource.json"
    File "${X86}\korvlnch.dll"
    File "${X86}\korvlnch.h"
    File "${X86}\README.txt"
    StrCpy $0 ${SIZE_X86}
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\korvex.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\korvex.exe"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Function un.onInit
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section Uninstall
  Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
  Delete "$INSTDIR\korvex.exe"
  Delete "$INSTDIR\korvexcfg.exe"
  Delete "$INSTDIR\korvane.ramdisk.dsc.resource.json"
  Delete "$INSTDIR\korvlnch.dll"
  Delete "$INSTDIR\korvlnch.h"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir $INSTDIR
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

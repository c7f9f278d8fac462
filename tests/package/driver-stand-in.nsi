; A driver's installer in miniature: the README's lines (RECIPE) start PROGRAM
; through the korvlnch.dll in $INSTDIR, the folder the tools were installed to.
!include LogicLib.nsh
Name "Driver stand-in"
OutFile "${OUTFILE}"
InstallDir "${TOOLS}"
RequestExecutionLevel admin
SilentInstall silent
Section
  !include "${RECIPE}"
SectionEnd

; The machine's PATH entry of the installation folder, added and removed in
; memory through the system's own calls: NSIS's strings hold 1024
; characters, and a machine's PATH may be longer; cut, it would be lost.
; An entry matches in any case; only one entry equal to the folder is ever
; added or removed, and nothing else in the value changes.

!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

; PathEdit: $0 the folder, $1 "add" or "remove"; $1 becomes "changed",
; "unchanged" or "failed".
!macro PATH_EDIT_FUNCTION un
Function ${un}PathEdit
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  StrCpy $R8 failed
  ; HKEY_LOCAL_MACHINE; KEY_QUERY_VALUE | KEY_SET_VALUE
  System::Call 'advapi32::RegOpenKeyExW(p 0x80000002, w "${ENVIRONMENT_KEY}", i 0, i 3, *p .R0) i .R1'
  ${If} $R1 == 0
    ; Its size in bytes; no PATH yet reads as an empty one.
    StrCpy $R3 0
    System::Call 'advapi32::RegQueryValueExW(p R0, w "Path", p 0, *i .R2, p 0, *i 0 R3) i .R1'
    ${If} $R1 == 2
      StrCpy $R1 0
      StrCpy $R2 2
      StrCpy $R3 0
    ${EndIf}
    System::Call 'kernel32::lstrlenW(w r0) i .R4'
    ; A text value (REG_SZ or REG_EXPAND_SZ) within the 32 767 characters
    ; of an environment variable.
    ${If} $R1 == 0
    ${AndIf} $R3 <= 65536
    ${AndIf} $R2 >= 1
    ${AndIf} $R2 <= 2
      ; ";" PATH ";", zeroed, with room for ";" and the folder besides.
      IntOp $R5 $R4 + 8
      IntOp $R5 $R5 * 2
      IntOp $R5 $R5 + $R3
      System::Alloc $R5
      Pop $R5
      System::Alloc $R5
      Pop $R6
      System::Call 'kernel32::lstrcpyW(p R5, w ";")'
      IntOp $R7 $R5 + 2
      System::Call 'advapi32::RegQueryValueExW(p R0, w "Path", p 0, p 0, p R7, *i R3 R3) i .R1'
      ${If} $R1 == 2
        StrCpy $R1 0
      ${EndIf}
      ; One string, no NUL inside: what is read is all there is.
      System::Call 'kernel32::lstrlenW(p R7) i .R2'
      IntOp $R2 $R2 * 2
      IntOp $R3 $R3 - $R2
      ${If} $R1 == 0
      ${AndIf} $R3 >= 0
      ${AndIf} $R3 <= 2
        System::Call 'kernel32::lstrcatW(p R5, w ";")'
        System::Call 'shlwapi::StrStrIW(p R5, w ";$0;") p .R3'
        StrCpy $R8 unchanged
        ${If} $1 == add
        ${AndIf} $R3 P= 0
          ; The ";" added for the search goes; one separates the folder
          ; from an entry before it.
          System::Call 'kernel32::lstrlenW(p R5) i .R2'
          IntOp $R2 $R2 - 1
          IntOp $R2 $R2 * 2
          IntOp $R2 $R2 + $R5
          System::Call '*$R2(&i2 0)'
          System::Call 'kernel32::lstrlenW(p R7) i .R2'
          ${If} $R2 > 0
            IntOp $R2 $R2 - 1
            IntOp $R2 $R2 * 2
            IntOp $R2 $R2 + $R7
            System::Call '*$R2(&i2 .R2)'
            ${If} $R2 != 59
              System::Call 'kernel32::lstrcatW(p R5, w ";")'
            ${EndIf}
          ${EndIf}
          System::Call 'kernel32::lstrcatW(p R5, w r0)'
          StrCpy $R8 changed
        ${ElseIf} $1 == remove
        ${AndIf} $R3 P<> 0
          ; What comes before ";folder", then what follows from its closing
          ; ";"; the search's own ";" at each end then goes.
          IntOp $R2 $R3 - $R5
          IntOp $R2 $R2 / 2
          IntOp $R2 $R2 + 1
          System::Call 'kernel32::lstrcpynW(p R6, p R5, i R2)'
          IntOp $R2 $R4 + 1
          IntOp $R2 $R2 * 2
          IntOp $R2 $R2 + $R3
          System::Call 'kernel32::lstrcatW(p R6, p R2)'
          System::Call 'kernel32::lstrlenW(p R6) i .R2'
          IntOp $R2 $R2 - 1
          IntOp $R2 $R2 * 2
          IntOp $R2 $R2 + $R6
          System::Call '*$R2(&i2 0)'
          IntOp $R7 $R6 + 2
          StrCpy $R8 changed
        ${EndIf}
        ${If} $R8 == changed
          System::Call 'kernel32::lstrlenW(p R7) i .R2'
          IntOp $R2 $R2 + 1
          IntOp $R2 $R2 * 2
          ; Written as the type it had (REG_EXPAND_SZ when new).
          System::Call 'advapi32::RegQueryValueExW(p R0, w "Path", p 0, *i .R3, p 0, *i 0) i .R1'
          ${If} $R1 != 0
            StrCpy $R3 2
          ${EndIf}
          System::Call 'advapi32::RegSetValueExW(p R0, w "Path", i 0, i R3, p R7, i R2) i .R1'
          ${If} $R1 != 0
            StrCpy $R8 failed
          ${Else}
            ; New programs see it; none hung waits more than five seconds.
            System::Call 'user32::SendMessageTimeoutW(p 0xFFFF, i 0x1A, p 0, w "Environment", i 2, i 5000, *p .R1)'
          ${EndIf}
        ${EndIf}
      ${EndIf}
      System::Free $R6
      System::Free $R5
    ${EndIf}
    System::Call 'advapi32::RegCloseKey(p R0)'
  ${EndIf}
  StrCpy $1 $R8
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend

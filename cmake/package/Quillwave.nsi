; The Windows installer: the VST3 bundle, the optional VST2 module in a folder
; of the user's choosing, the factory presets in the shared documents folder
; and an uninstaller listed in "Apps & features". Built by makensis from
; cmake/QuillwavePackage.cmake, which defines on its command line:
;   VERSION, VENDOR, COPYRIGHT   from cmake/QuillwaveRelease.cmake
;   VST3_BUNDLE                  the built Quillwave.vst3 bundle folder
;   VST2_MODULE                  the built Quillwave.dll
;   FACTORY_PRESETS              a generated include with the InstallFactoryPresets
;                                and UninstallFactoryPresets macros
;   OUTFILE                      the installer to write
;
; Silent use: "setup.exe /S" installs everything, "/D=C:\Folder" (last on the
; command line) names the VST2 folder; "Uninstall.exe /S" removes it again.
; Installing over an existing installation upgrades it in place, keeping its
; VST2 folder unless /D= names another.

Unicode true
; A 64-bit installer: the registry view and the Program Files folders it sees
; are the 64-bit ones; .onInit makes both explicit all the same.
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true

!include LogicLib.nsh
!include MUI2.nsh
!include Sections.nsh
!include x64.nsh

!define PRODUCT "Quillwave"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define APP_FOLDER "$PROGRAMFILES64\${VENDOR}\${PRODUCT}"
!define VST3_FOLDER "$COMMONFILES64\VST3\${PRODUCT}.vst3"
; $DOCUMENTS is the shared documents folder of all users once SetShellVarContext
; is "all": the folder the plug-in reads its library from.
!define PRESETS "$DOCUMENTS\${VENDOR}\${PRODUCT}\Presets"

!include "${FACTORY_PRESETS}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\VSTPlugins"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${VENDOR}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

; The VST2 folder of an earlier installation, empty when there is none or it
; had no VST2 module.
Var PreviousVst2Folder

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipVst2FolderPage
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install the VST2 plug-in Quillwave.dll into the following folder. Choose the folder your host scans for VST2 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST2 plug-in folder"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Both halves work on the 64-bit registry view and the real system folders, for
; all users.
!macro UseMachineLocations
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  ${DisableX64FSRedirection}
  SetRegView 64
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro UseMachineLocations
  ReadRegStr $PreviousVst2Folder HKLM "${UNINSTALL_KEY}" "Vst2Folder"
  ; An upgrade keeps the earlier VST2 folder unless /D= chose another.
  ${If} $PreviousVst2Folder != ""
  ${AndIf} $INSTDIR == "$PROGRAMFILES64\VSTPlugins"
    StrCpy $INSTDIR $PreviousVst2Folder
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro UseMachineLocations
FunctionEnd

Section "VST3 plug-in (required)" SecVst3
  SectionIn RO
  ; The bundle is ours alone: replace it whole so an upgrade leaves nothing stale.
  RMDir /r "${VST3_FOLDER}"
  SetOutPath "${VST3_FOLDER}"
  File /r "${VST3_BUNDLE}/*"
SectionEnd

Section "VST2 plug-in" SecVst2
  SetOutPath "$INSTDIR"
  File "${VST2_MODULE}"
SectionEnd

Section "Factory presets" SecPresets
  SetOutPath "${PRESETS}\Factory"
  !insertmacro InstallFactoryPresets
SectionEnd

; Sizes of the selected components, in KiB, for "Apps & features".
!macro AddSelectedSize section
  ${If} ${SectionIsSelected} ${section}
    SectionGetSize ${section} $1
    IntOp $0 $0 + $1
  ${EndIf}
!macroend

Section "-Register"
  ; The user's own presets go here; the plug-in never creates folders itself.
  CreateDirectory "${PRESETS}\User"

  ; A VST2 module of an earlier installation that this one does not replace.
  ${If} $PreviousVst2Folder != ""
    ${IfNot} ${SectionIsSelected} ${SecVst2}
    ${OrIf} $PreviousVst2Folder != $INSTDIR
      Delete "$PreviousVst2Folder\${PRODUCT}.dll"
    ${EndIf}
  ${EndIf}

  SetOutPath "${APP_FOLDER}"
  WriteUninstaller "${APP_FOLDER}\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${APP_FOLDER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${APP_FOLDER}\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${APP_FOLDER}\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${SectionIsSelected} ${SecVst2}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Vst2Folder" "$INSTDIR"
  ${Else}
    DeleteRegValue HKLM "${UNINSTALL_KEY}" "Vst2Folder"
  ${EndIf}
  StrCpy $0 0
  !insertmacro AddSelectedSize ${SecVst3}
  !insertmacro AddSelectedSize ${SecVst2}
  !insertmacro AddSelectedSize ${SecPresets}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3} "The VST3 plug-in, into $COMMONFILES64\VST3, where every VST3 host finds it."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2} "The VST2 plug-in Quillwave.dll, into a folder you choose next."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecPresets} "The 13 factory presets, into the shared documents folder, with a User folder for your own."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The VST2 folder page only matters when the VST2 module is installed.
Function SkipVst2FolderPage
  ${IfNot} ${SectionIsSelected} ${SecVst2}
    Abort
  ${EndIf}
FunctionEnd

; Removes what the installer put in place. The User folder and anything else a
; user saved stay: folders are removed only when they are empty.
Section "Uninstall"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "Vst2Folder"
  ${If} $0 != ""
    Delete "$0\${PRODUCT}.dll"
  ${EndIf}
  RMDir /r "${VST3_FOLDER}"
  !insertmacro UninstallFactoryPresets
  RMDir "${PRESETS}\Factory"
  RMDir "${PRESETS}"
  RMDir "$DOCUMENTS\${VENDOR}\${PRODUCT}"
  RMDir "$DOCUMENTS\${VENDOR}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The uninstaller goes last: once it is gone, so is everything else.
  Delete "${APP_FOLDER}\Uninstall.exe"
  RMDir "${APP_FOLDER}"
  RMDir "$PROGRAMFILES64\${VENDOR}"
SectionEnd

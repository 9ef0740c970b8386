; The Windows installer, made by makensis in the folder of the staged files
; (packaging/make_installer.cmake), which writes defines.nsh beside them: VERSION, OUTNAME (the
; installer's file name), MAKER, CONTACT, COPYRIGHT, PROGRAM_TITLE (the product's name: the
; installers' titles, the program's part, its shortcut and its entry in the list of installed apps),
; DEVELOPMENT_TITLE (the developers' part, in Japanese) and, for a signed release, SIGN (the command that signs
; a file in place). It uses no plugin: a signed installer unpacks no unsigned DLL to run. The one
; program it unpacks and runs, setup\folder_check.exe (packaging/folder_check/), does the work on
; the installation's folder that the script language cannot do without following links; a signed
; release signs it as it signs the files it installs.
!include defines.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include Sections.nsh
!include WinMessages.nsh
!include WordFunc.nsh

Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin
Name "${PROGRAM_TITLE}"
OutFile "${OUTNAME}"
BrandingText "Pelmora ${VERSION}"
InstallDir "$PROGRAMFILES64\Pelmora"
; The installation's folder, with its trailing backslash as Windows Installer writes a folder, and
; the Windows Installer package's product code while the package's installation is there: both
; installers write this key.
!define PRODUCT_KEY "Software\Pelmora"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora"
; Installers of earlier builds kept their folder and Start-menu folder under the maker's key.
!define EARLIER_KEY "Software\${MAKER}\Pelmora"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "InstallDir"
!define MAIN_WINDOW_CLASS "Pelmora_Main"
!define SHORTCUT "$SMPROGRAMS\${PROGRAM_TITLE}.lnk"
; Installers of earlier builds named the shortcut by the window's caption alone.
!define EARLIER_SHORTCUT_TITLE "呼損率の計算"
!define ENDSESSION_CLOSEAPP 1

!ifdef SIGN
  ; The uninstaller is signed before it is packed: the one that the installer writes is signed.
  !uninstfinalize '${SIGN} "%1" Uninstall.exe' = 0
  !finalize '${SIGN} "%1" "${OUTNAME}"' = 0
!endif

!define MUI_ICON "pelmora.ico"
!define MUI_UNICON "pelmora.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; A folder that would be refused is refused on its page, where another can be chosen.
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
; The licence is a permission, not a contract: its page shows it and goes on.
!define MUI_PAGE_HEADER_TEXT $(LicenceTitle)
!define MUI_PAGE_HEADER_SUBTEXT $(LicenceSubtitle)
!define MUI_LICENSEPAGE_TEXT_TOP $(LicenceTop)
!define MUI_LICENSEPAGE_BUTTON $(^NextBtn)
!define MUI_LICENSEPAGE_TEXT_BOTTOM $(LicenceNote)
!insertmacro MUI_PAGE_LICENSE "LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; In Japanese on a Japanese Windows, in English on any other: the first language is the fallback.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PROGRAM_TITLE}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PROGRAM_TITLE} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${COPYRIGHT}"

LangString InstalledByPackage ${LANG_JAPANESE} "$(^NameDA) は MSI パッケージ (Pelmora-<バージョン>-win64.msi) でインストールされています。このインストーラーを使うには、先に Windows の設定の「インストールされているアプリ」(Windows 10 では「アプリと機能」) からアンインストールしてください。"
LangString InstalledByPackage ${LANG_ENGLISH} "$(^NameDA) is installed from its Windows Installer package (Pelmora-<version>-win64.msi). To use this installer, first uninstall it in Settings, Installed apps (Apps & Features on Windows 10)."
LangString NewerInstalled ${LANG_JAPANESE} "$(^NameDA) の新しいバージョンがすでにインストールされています。"
LangString NewerInstalled ${LANG_ENGLISH} "A newer version of $(^NameDA) is already installed."
LangString LicenceTitle ${LANG_JAPANESE} "ライセンス"
LangString LicenceTitle ${LANG_ENGLISH} "Licence"
LangString LicenceSubtitle ${LANG_JAPANESE} "$(^NameDA) のライセンス条件をご確認ください。"
LangString LicenceSubtitle ${LANG_ENGLISH} "Please review the licence terms of $(^NameDA)."
LangString LicenceTop ${LANG_JAPANESE} "$(^NameDA) は、次のライセンス (MIT ライセンス) で提供されます。"
LangString LicenceTop ${LANG_ENGLISH} "$(^NameDA) is provided under the following licence (the MIT License)."
LangString LicenceNote ${LANG_JAPANESE} "ライセンスの条文と日本語の参考訳は、インストール先の LICENSE.txt にも保存されます。「次へ」で続行します。"
LangString LicenceNote ${LANG_ENGLISH} "The licence's text, with a Japanese reference translation, is also installed as LICENSE.txt in the installation folder."
LangString ProgramOpen ${LANG_JAPANESE} "$(^NameDA) が起動しています。[OK] を押すと、プログラムを終了してインストールを続けます。"
LangString ProgramOpen ${LANG_ENGLISH} "$(^NameDA) is running. Press OK to close it and go on with the installation."
LangString un.ProgramOpen ${LANG_JAPANESE} "$(^NameDA) が起動しています。[OK] を押すと、プログラムを終了してアンインストールを続けます。"
LangString un.ProgramOpen ${LANG_ENGLISH} "$(^NameDA) is running. Press OK to close it and go on with the removal."
LangString DevelopmentTitle ${LANG_JAPANESE} "${DEVELOPMENT_TITLE}"
LangString DevelopmentTitle ${LANG_ENGLISH} "Files for developers (vantrel.h and the import libraries)"
LangString FolderNotChecked ${LANG_JAPANESE} "インストール先のフォルダーを確認できませんでした。"
LangString FolderNotChecked ${LANG_ENGLISH} "The installation's folder could not be checked."

; Exit codes, for deployment scripts: cancelled; another installation is in the way (the package's,
; or a newer version: ERROR_PRODUCT_VERSION); a file is in use (ERROR_SHARING_VIOLATION); the
; folder is refused (ERROR_INSTALL_FAILURE, as the package's refusal).
!define CANCELLED 1
!define REFUSED_ANOTHER_INSTALLATION 1638
!define REFUSED_IN_USE 32
!define REFUSED_FOLDER 1603

Var EarlierFolder
; Set when an installation of ours, of any build, was found.
Var Upgrading
Var EarlierMenuFolder
Var ProgramClosed
Var HeldTries

; One of the messages to a window of the program, counted in $R2 when it went unanswered.
!macro ASK_TO_CLOSE MESSAGE WPARAM LPARAM
  ClearErrors
  SendMessage $R0 ${MESSAGE} ${WPARAM} ${LPARAM} /TIMEOUT=2000
  ${IfThen} ${Errors} ${|} IntOp $R2 $R2 + 1 ${|}
!macroend

!macro FUNCTIONS UN
  ; Closes every open window of the program as Windows Installer's Restart Manager closes a
  ; program (the end of the session, then a close), after asking whoever runs the installer; a
  ; silent run does not ask. Any user can make a window of the program's class that never answers:
  ; after ten messages that went unanswered (two seconds each), or a hundred rounds, what is left
  ; goes to the check of the files, which names what they hold.
  Function ${UN}CloseProgram
    FindWindow $R0 "${MAIN_WINDOW_CLASS}"
    ${If} $R0 = 0
      Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(${UN}ProgramOpen)" /SD IDOK IDOK close
    SetErrorLevel ${CANCELLED}
    Abort
    close:
    StrCpy $ProgramClosed 1
    StrCpy $R1 0
    StrCpy $R2 0
    ${DoWhile} $R0 <> 0
      !insertmacro ASK_TO_CLOSE ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP}
      !insertmacro ASK_TO_CLOSE ${WM_ENDSESSION} 1 ${ENDSESSION_CLOSEAPP}
      !insertmacro ASK_TO_CLOSE ${WM_CLOSE} 0 0
      Sleep 100
      IntOp $R1 $R1 + 1
      ${If} $R1 > 100
      ${OrIf} $R2 >= 10
        Return
      ${EndIf}
      FindWindow $R0 "${MAIN_WINDOW_CLASS}"
    ${Loop}
  FunctionEnd

  ; Runs setup\folder_check.exe for the work $R7 on the folder $R8 (and, for a removal, the
  ; installation's folder $R5, which it leaves alone): its exit code in $R0, -1 when it could not
  ; be run.
  Function ${UN}RunFolderCheck
    InitPluginsDir
    File /oname=$PLUGINSDIR\folder_check.exe setup\folder_check.exe
    Delete "$PLUGINSDIR\refusal.txt"
    ClearErrors
    ExecWait '"$PLUGINSDIR\folder_check.exe" $R7 $LANGUAGE "$PLUGINSDIR\refusal.txt" "$R8" "$R5"' $R0
    ${IfThen} ${Errors} ${|} StrCpy $R0 -1 ${|}
  FunctionEnd

  ; Shows the message that folder_check.exe wrote, in the installer's language, and stops the
  ; installation with the exit code $R4; on a page ($R6 "page") it keeps the page instead, and the
  ; exit code stays as it is.
  Function ${UN}Refuse
    StrCpy $R1 "$(FolderNotChecked)"
    ClearErrors
    FileOpen $R2 "$PLUGINSDIR\refusal.txt" r
    ${IfNot} ${Errors}
      FileReadUTF16LE $R2 $R3
      FileClose $R2
      ${IfThen} $R3 != "" ${|} StrCpy $R1 $R3 ${|}
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "$R1" /SD IDOK
    ${IfThen} $R6 != page ${|} SetErrorLevel $R4 ${|}
    Abort
  FunctionEnd

  ; The work $R7 on the folder $R8, which stops the installation when it is refused.
  Function ${UN}FolderCheck
    Call ${UN}RunFolderCheck
    ${If} $R0 <> 0
      StrCpy $R4 ${REFUSED_FOLDER}
      Call ${UN}Refuse
    ${EndIf}
  FunctionEnd

  ; Refuses, before anything is changed, when a program holds a file of the installation in the
  ; folder $R9: Windows keeps a running program and a loaded DLL (a spreadsheet's macro, for
  ; example) from being written. When the program has just been closed, it is given ten seconds
  ; to end. The files are opened by folder_check.exe, never through a link.
  Function ${UN}EnsureFolderFree
    StrCpy $R5 ""
    StrCpy $R6 ""
    StrCpy $R7 held
    StrCpy $R8 $R9
    StrCpy $HeldTries 0
    ${Do}
      Call ${UN}RunFolderCheck
      ${IfThen} $R0 = 0 ${|} Return ${|}
      StrCpy $R4 ${REFUSED_FOLDER}
      ${IfThen} $R0 <> 3 ${|} Call ${UN}Refuse ${|}
      IntOp $HeldTries $HeldTries + 1
      StrCpy $R4 ${REFUSED_IN_USE}
      ${If} $ProgramClosed != 1
      ${OrIf} $HeldTries > 50
        Call ${UN}Refuse
      ${EndIf}
      Sleep 200
    ${Loop}
  FunctionEnd
!macroend
!insertmacro FUNCTIONS ""
!insertmacro FUNCTIONS "un."

; The work WORK of folder_check.exe on FOLDER (FolderCheck), in the installer or, with UN un., in
; the uninstaller.
!macro FOLDER_CHECK UN WORK FOLDER
  StrCpy $R5 ""
  StrCpy $R6 ""
  StrCpy $R7 ${WORK}
  StrCpy $R8 "${FOLDER}"
  Call ${UN}FolderCheck
!macroend

; Removes the installation in FOLDER as far as it can be, never the one in INSTALLATION, whatever
; name either has; a refusal stops nothing, since all that could refuse it was checked before.
!macro REMOVE UN FOLDER INSTALLATION
  StrCpy $R5 "${INSTALLATION}"
  StrCpy $R7 remove
  StrCpy $R8 "${FOLDER}"
  Call ${UN}RunFolderCheck
!macroend

Section "${PROGRAM_TITLE}" Program
  SectionIn RO
  ${If} $EarlierFolder == $INSTDIR
    StrCpy $EarlierFolder ""
  ${EndIf}
  ; The folders are checked before anything is changed, then the installation's is kept or made
  ; anew: no user's rights on it, and no link in it, survive into the installation.
  !insertmacro FOLDER_CHECK "" check $INSTDIR
  ${If} $EarlierFolder != ""
    !insertmacro FOLDER_CHECK "" check-removal $EarlierFolder
  ${EndIf}
  Call CloseProgram
  StrCpy $R9 $INSTDIR
  Call EnsureFolderFree
  ${If} $EarlierFolder != ""
    StrCpy $R9 $EarlierFolder
    Call EnsureFolderFree
  ${EndIf}
  !insertmacro FOLDER_CHECK "" prepare $INSTDIR
  SetOutPath "$INSTDIR"
  File Pelmora.exe
  File vantrel.dll
  File LICENSE.txt
  File THIRD-PARTY-NOTICES.txt
  File readme.txt
  File manual.html
  SetOutPath "$INSTDIR\x86"
  File x86\vantrel.dll
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut starts in the program's folder.
  SetOutPath "$INSTDIR"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Pelmora.exe"
  ; Installers of earlier builds kept the shortcut under another name, some of them in a Start-menu
  ; folder of their own, beside an uninstall link.
  ; Another program's shortcut of that name is left alone on a first installation.
  ${If} $Upgrading == 1
    Delete "$SMPROGRAMS\${EARLIER_SHORTCUT_TITLE}.lnk"
  ${EndIf}
  ${If} $EarlierMenuFolder != ""
    Delete "$SMPROGRAMS\$EarlierMenuFolder\${EARLIER_SHORTCUT_TITLE}.lnk"
    Delete "$SMPROGRAMS\$EarlierMenuFolder\Uninstall.lnk"
    RMDir "$SMPROGRAMS\$EarlierMenuFolder"
  ${EndIf}
  DeleteRegKey HKLM "${EARLIER_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${MAKER}"

  WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR\"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PROGRAM_TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Contact" "${CONTACT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pelmora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; The installation in the folder left is no longer needed, nor listed: removed as far as it can
  ; be, now that the new one is complete.
  ${If} $EarlierFolder != ""
    !insertmacro REMOVE "" $EarlierFolder $INSTDIR
  ${EndIf}
SectionEnd

Section /o "$(DevelopmentTitle)" Development
  SetOutPath "$INSTDIR\sdk"
  File sdk\vantrel.h
  File sdk\libvantrel.dll.a
  SetOutPath "$INSTDIR\sdk\x86"
  File sdk\x86\libvantrel.dll.a
SectionEnd

Section "-Size"
  SectionGetSize ${Program} $0
  ${If} ${SectionIsSelected} ${Development}
    SectionGetSize ${Development} $1
    IntOp $0 $0 + $1
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro FOLDER_CHECK un. check-removal $INSTDIR
  Call un.CloseProgram
  StrCpy $R9 $INSTDIR
  Call un.EnsureFolderFree
  Delete "${SHORTCUT}"
  ; As far as it can be: what a program still holds stays, as the script's own deletions leave it.
  !insertmacro REMOVE un. $INSTDIR ""
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${PRODUCT_KEY}"
SectionEnd

Function .onInit
  SetShellVarContext all
  ReadRegStr $R0 HKLM "${PRODUCT_KEY}" "ProductCode"
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$(InstalledByPackage)" /SD IDOK
    SetErrorLevel ${REFUSED_ANOTHER_INSTALLATION}
    Abort
  ${EndIf}
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${IfThen} $R0 != "" ${|} StrCpy $Upgrading 1 ${|}
  ${If} $R0 != ""
    ${VersionCompare} "$R0" "${VERSION}" $R1
    ${If} $R1 = 1
      MessageBox MB_OK|MB_ICONSTOP "$(NewerInstalled)" /SD IDOK
      SetErrorLevel ${REFUSED_ANOTHER_INSTALLATION}
      Abort
    ${EndIf}
  ${EndIf}
  ; An installation in a folder other than the one chosen now goes once the new one is made; an
  ; installation by an earlier build is installed over where it is, unless another folder is
  ; chosen.
  ReadRegStr $EarlierFolder HKLM "${PRODUCT_KEY}" "InstallDir"
  StrCpy $R0 $EarlierFolder 1 -1
  ${If} $R0 == "\"
    StrCpy $EarlierFolder $EarlierFolder -1
  ${EndIf}
  ${If} $EarlierFolder == ""
    ReadRegStr $EarlierFolder HKLM "${EARLIER_KEY}" ""
    ReadRegStr $EarlierMenuFolder HKLM "${EARLIER_KEY}" "Start Menu Folder"
    ${If} $EarlierFolder != ""
    ${AndIf} $EarlierMenuFolder == ""
      StrCpy $EarlierMenuFolder "Pelmora"
    ${EndIf}
    ${If} $EarlierFolder != ""
    ${AndIf} $INSTDIR == "$PROGRAMFILES64\Pelmora"
      StrCpy $INSTDIR $EarlierFolder
    ${EndIf}
  ${EndIf}
  ${IfThen} $EarlierFolder != "" ${|} StrCpy $Upgrading 1 ${|}
  ; An upgrade keeps the developers' part where it was installed.
  ${If} $EarlierFolder != ""
  ${AndIf} ${FileExists} "$EarlierFolder\sdk\vantrel.h"
    !insertmacro SelectSection ${Development}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  StrCpy $R5 ""
  StrCpy $R6 page
  StrCpy $R7 check
  StrCpy $R8 $INSTDIR
  Call FolderCheck
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

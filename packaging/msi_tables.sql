-- What wixl cannot write into the package's database, written by msibuild afterwards: one
-- statement a line; @name@ is filled in by make_msi.cmake.

-- wixl makes the database in no code page and so drops every text that is not ASCII: the
-- Japanese texts are written again once the database has the Japanese code page.
UPDATE `Property` SET `Value` = '@maker@' WHERE `Property` = 'Manufacturer'
UPDATE `Property` SET `Value` = '@product_name@' WHERE `Property` = 'ProductName'
UPDATE `Shortcut` SET `Name` = 'PELMORA|@product_name@' WHERE `Shortcut` = 'StartMenuShortcut'
UPDATE `Feature` SET `Title` = '@product_name@' WHERE `Feature` = 'Program'
UPDATE `Feature` SET `Title` = '@development_title@' WHERE `Feature` = 'Development'
UPDATE `LaunchCondition` SET `Description` = '@downgrade_message@' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'
-- Windows Installer compares three fields of a version only; the installed version's number, all
-- four, is compared with this one's, so that no version replaces a newer one (1.0.0.2 over
-- 1.0.0.3).
INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('Installed OR NOT PELMORA_INSTALLED_VERSION OR PELMORA_INSTALLED_VERSION <= @version_number@', '@downgrade_message@')

-- Every name that is not a short (8.3) name has a short twin, for volumes without long names.
UPDATE `File` SET `FileName` = 'LIBVAN~1.A|libvantrel.dll.a' WHERE `FileName` = 'libvantrel.dll.a'
UPDATE `File` SET `FileName` = 'THIRD-~1.TXT|THIRD-PARTY-NOTICES.txt' WHERE `FileName` = 'THIRD-PARTY-NOTICES.txt'
UPDATE `File` SET `FileName` = 'MANUAL~1.HTM|manual.html' WHERE `FileName` = 'manual.html'

-- The program and the DLLs carry their version records' file versions (in Japanese, as their
-- records say), so that a repair replaces one that is missing or older, or is not ours.
UPDATE `File` SET `Version` = '@program_version@', `Language` = '1041' WHERE `File` = 'Pelmora.exe'
UPDATE `File` SET `Version` = '@engine_version@', `Language` = '1041' WHERE `File` = 'vantrel.dll'
UPDATE `File` SET `Version` = '@engine32_version@', `Language` = '1041' WHERE `File` = 'vantrel.dll.x86'

-- The folder of an earlier installation becomes the folder, right after the search that finds it
-- and before the folders are resolved, unless INSTALLDIR is given; Apps & Features shows the folder
-- once it is resolved. wixl marks actions that set a property as run without impersonation, which
-- only actions in the installation script may be: they are plain immediate actions (type 51).
UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'KeepInstalledDir' OR `Action` = 'ShowInstallLocation'
INSERT INTO `InstallUISequence` (`Action`, `Condition`, `Sequence`) VALUES ('KeepInstalledDir', 'PELMORA_INSTALLED_DIR AND NOT INSTALLDIR', 51)
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('KeepInstalledDir', 'PELMORA_INSTALLED_DIR AND NOT INSTALLDIR', 51)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('ShowInstallLocation', 1001)
-- Properties that reach the installation itself when an administrator's installation runs for a
-- user: what the searches found. The folder is not among them: only an administrator chooses it.
UPDATE `Property` SET `Value` = 'PELMORA_INSTALLER;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED' WHERE `Property` = 'SecureCustomProperties'

-- The program cannot be left out of an installation (disallow absent, 16; installed locally, 0).
UPDATE `Feature` SET `Attributes` = 16 WHERE `Feature` = 'Program'

-- Windows Installer compares only the first three fields of a version: the upgrade takes in the
-- installed versions up to this one inclusive (migrate features, 1, and maximum inclusive, 512),
-- so that 1.0.0.3 replaces 1.0.0.2 instead of standing beside it, as does a rebuild of one
-- version with other contents. The attributes are part of the row's key: the row is written anew.
DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{@upgrade_code@}', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')

-- The installer (NSIS) installs into the same folder: while its uninstall entry is there
-- (PELMORA_INSTALLER), the package refuses to install.
INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('NOT PELMORA_INSTALLER OR Installed', '@installer_message@')

-- The installation's folder: checked once the folders are resolved, before anything changes (an
-- earlier version included), except by an uninstallation; made anew on a first installation or
-- an upgrade, as SYSTEM, before the folders are made. The first hands the second its data.
UPDATE `CustomAction` SET `Type` = 1 WHERE `Action` = 'CheckInstallationFolder'
UPDATE `CustomAction` SET `Type` = 3073 WHERE `Action` = 'PrepareInstallationFolder'
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('CheckInstallationFolder', 'NOT REMOVE~="ALL"', 1002)
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('PrepareInstallationFolder', 'NOT Installed AND NOT REMOVE~="ALL"', 3650)

-- The installation's folder gets permissions of its own, not those of its parent, and the
-- administrators as its owner, whoever made it: in a folder outside Program Files they would let
-- users change the program, the DLLs and what an administrator runs.
CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `SDDLText` LONGCHAR NOT NULL, `Condition` CHAR(255) PRIMARY KEY `MsiLockPermissionsEx`)
INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, `Table`, `SDDLText`) VALUES ('InstallationFolder', 'INSTALLDIR', 'CreateFolder', '@PELMORA_LOCKED_FOLDER_SDDL@')

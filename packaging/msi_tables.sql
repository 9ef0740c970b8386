-- What wixl cannot write into the package's database, written by msibuild afterwards: one
-- statement a line; @name@ is filled in by make_msi.cmake.

-- wixl makes the database in no code page and so drops every text that is not ASCII: the
-- Japanese texts are written again once the database has the Japanese code page.
UPDATE `Property` SET `Value` = '@maker@' WHERE `Property` = 'Manufacturer'
UPDATE `Shortcut` SET `Name` = '@shortcut_name@' WHERE `Shortcut` = 'StartMenuShortcut'
UPDATE `Feature` SET `Title` = '@shortcut_name@' WHERE `Feature` = 'Program'
UPDATE `LaunchCondition` SET `Description` = '@downgrade_message@' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'

-- The program cannot be left out of an installation (favour local, 1, and disallow absent, 16).
UPDATE `Feature` SET `Attributes` = 17 WHERE `Feature` = 'Program'

-- Windows Installer compares only the first three fields of a version: the upgrade takes in the
-- installed versions up to this one inclusive (migrate features, 1, and maximum inclusive, 512),
-- so that 1.0.0.3 replaces 1.0.0.2 instead of standing beside it, as does a rebuild of one
-- version with other contents. The attributes are part of the row's key: the row is written anew.
DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'
INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{@upgrade_code@}', '@VERSION@', 513, 'WIX_UPGRADE_DETECTED')

-- The installer (NSIS) installs into the same folder and does not know the package: while its
-- uninstall entry is in the 64-bit registry (a registry value, 2, in the 64-bit view, 16), the
-- package refuses to install.
INSERT INTO `RegLocator` (`Signature_`, `Root`, `Key`, `Name`, `Type`) VALUES ('InstallerEntry', 2, 'Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmora', 'UninstallString', 18)
INSERT INTO `AppSearch` (`Property`, `Signature_`) VALUES ('PELMORA_INSTALLER', 'InstallerEntry')
INSERT INTO `InstallUISequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('AppSearch', 50)
INSERT INTO `LaunchCondition` (`Condition`, `Description`) VALUES ('NOT PELMORA_INSTALLER OR Installed', '@installer_message@')

#!/usr/bin/env python3
"""Write the WiX source of the Zelvacorin package (built by wixl; see package.sh).

The package installs, per machine and 32-bit, into [ProgramFilesFolder]Ombrivale\\Tessalo
(INSTALLDIR on the msiexec command line moves it):

  Zelvacorin.dll, registered through the package's own registry entries, which come
      from windows/server/registration.tsv, the table DllRegisterServer writes too;
  zelva-tables.exe, the table checker, and ReadMe.txt;
  ZelvacorinSetup.dll, not installed: it finds the machine's user-interface
      language, and on uninstall it removes the tables still as shipped, so only
      the tables an administrator changed are left;
  the install tree's Tessalo folder: the thread tables and the texture picture;
  the settings of install/Tessalo.reg in the 32-bit registry view, with ApplDir the
      install folder, Language from the LANGUAGE property (by default the machine's
      user-interface language), the tab captions in that language and the
      preferences file in a folder of its own, the one place users may write.

Every table file is a component of its own, so that package.sh can mark it never
to be overwritten and permanent (wixl ignores both attributes); component identifiers are derived
from the installed path, so that every version of the package shares them.

Usage:
  make_wxs.py --version X.Y.Z --tree INSTALL_TREE --bin DIR --readme FILE --out FILE.wxs --tables FILE
"""

import argparse
import hashlib
import os
import sys
import uuid
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
REGISTRATION_TABLE = os.path.join(REPO, "windows", "server", "registration.tsv")

UPGRADE_CODE = "6A1C3C52-5D0F-4B8E-9E55-1F0C2B7D4E81"
COMPONENT_NAMESPACE = uuid.UUID("3F8B7E0A-6C1D-4F2B-8E3A-9D5C4B2A1E70")
MANUFACTURER = "Ombrivale"
PRODUCT = "Zelvacorin"
SERVER_DLL = "Zelvacorin.dll"
TYPELIB_SYSKIND = "win32"  # the platform the package's DLL registers its type library under
SETUP_ACTIONS_DLL = "ZelvacorinSetup.dll"  # the package's custom action, not installed
CHECKER_EXE = "zelva-tables.exe"
PREFERENCES_FOLDER = "Preferences"
TABLE_SUFFIXES = (".ini", ".tab")  # index and data files, which administrators may edit
FAMILY_KEY = r"SOFTWARE\Ombrivale\Tessalo"
PRODUCT_KEY = FAMILY_KEY + r"\Zelvacorin"
# Where the package put the product, for its repair, upgrade and uninstall: Windows
# Installer keeps no folder property of its own between runs.
INSTALL_DIR_VALUE = "InstallDir"
# The installed version's product code, by which an administrator uninstalls it.
PRODUCT_CODE_VALUE = "ProductCode"
REG_ROOTS = {"HKEY_LOCAL_MACHINE": "HKLM"}
# The LANGUAGE values the package takes, each with the language it writes the
# tab captions in: the tags of the component's complete text sets, and the names
# older installations hold (written as they are: they select the old blocks).
LANGUAGE_VALUES = {"en": "en", "de": "de", "it": "it", "English": "en", "German": "de", "Italian": "it"}
LANGUAGE_TAGS = tuple(dict.fromkeys(LANGUAGE_VALUES.values()))
# Without LANGUAGE: the installed version's, else the machine's user-interface
# language when it is one of the tags, else this.
DEFAULT_LANGUAGE = "en"
# The shipped groups' names (Norme#n of Tessalo.reg, in English) in the other
# languages; a name not listed here is written as the tree has it.
GROUP_CAPTIONS = {
    "ISO metric": {"de": "ISO metrisch", "it": "ISO metrica"},
    "Unified inch": {"de": "Unified Zoll", "it": "Unified pollici"},
    "Pipe & Tr": {"de": "Rohr & Tr", "it": "Gas & Tr"},
}
GROUP_CAPTION_SETTING = "Norme#"
# Folder properties end with a backslash; ApplDir is appended to paths that start
# with one, so it is written as the folder followed by "\." (the folder itself).
APPL_DIR_VALUE = "[INSTALLDIR]."


# Settings only the package writes (a shipped tree leaves them out, so they stay
# off there): value name, the property that sets it, its default. The msiexec line
# may give the property; an upgrade keeps the installed value unless it does.
PACKAGE_SETTINGS = [("MatchSize", "MATCHSIZE", "1"), ("CalloutFormat", "CALLOUT", "{name}")]

# Settings whose value the package gives, as installer formatted text.
PACKAGE_VALUES = {"ApplDir": APPL_DIR_VALUE, "Language": "[LANGUAGE]"}


def literal(text):
    """Text as an installer formatted value that stands for itself."""
    return "".join("[\\" + c + "]" if c in "[]{}" else c for c in text)


def ident(prefix, text):
    """A WiX identifier for a path: short, stable, unique."""
    return f"{prefix}_{hashlib.sha1(text.encode()).hexdigest()[:16]}"


def guid(text):
    return str(uuid.uuid5(COMPONENT_NAMESPACE, text)).upper()


def attrs(**values):
    return " ".join(f"{k}={quoteattr(str(v))}" for k, v in values.items())


def registration_entries():
    """(key, name, data) rows of registration.tsv, [DLL] and [DIR] as installer formats,
    [SYSKIND] as the DLL's platform."""
    rows = []
    with open(REGISTRATION_TABLE, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) == 1:
                continue  # a key alone: made by the values below it
            if len(fields) != 3:
                sys.exit(f"{REGISTRATION_TABLE}: not key, name, data: {line!r}")
            key, name, data = fields
            key = key.replace("[SYSKIND]", TYPELIB_SYSKIND)
            data = data.replace("[DLL]", f"[#{ident('file', SERVER_DLL)}]").replace("[DIR]", "[INSTALLDIR]")
            rows.append((key, name, data))
    return rows


def reg_entries(reg_file):
    """(root, key, name, value) of a REGEDIT4 file, the values unescaped."""
    entries, root, key = [], None, None
    with open(reg_file, encoding="cp1252") as f:
        for line in f.read().splitlines():
            if line.startswith("["):
                hive, _, key = line.strip("[]").partition("\\")
                if hive not in REG_ROOTS:
                    sys.exit(f"{reg_file}: unexpected hive {hive}")
                root = REG_ROOTS[hive]
            elif line.startswith('"'):
                name, _, value = line.partition("=")
                value = value.strip('"').replace("\\\\", "\\").replace('\\"', '"')
                entries.append((root, key, name.strip('"'), value))
    return entries


def settings_values(reg_file):
    """(root, key, name, value) of the tree's REGEDIT4 file, with the package's own values."""
    values = []
    for root, key, name, value in reg_entries(reg_file):
        if name == "File Prefs":
            value = "\\" + PREFERENCES_FOLDER + value
        if name.startswith(GROUP_CAPTION_SETTING) and value in GROUP_CAPTIONS:
            value = f"[{caption_property(name)}]"
        else:
            value = PACKAGE_VALUES.get(name, literal(value))
        values.append((root, key, name, value))
    return values


def caption_property(setting):
    """The property that holds a group's caption in the chosen language."""
    return "GroupCaption" + setting[len(GROUP_CAPTION_SETTING):]


def group_captions(reg_file):
    """(property, English caption) of each group whose caption is translated."""
    return [(caption_property(name), value) for _, _, name, value in reg_entries(reg_file)
            if name.startswith(GROUP_CAPTION_SETTING) and value in GROUP_CAPTIONS]


def one_of(prop, values):
    return " OR ".join(f'{prop}="{v}"' for v in values)


def language_actions(captions):
    """LANGUAGE on the command line wins, then the installed version's, then the
    machine's user-interface language if it is one of the tags, then the default;
    then each translated group caption follows the language chosen."""
    actions = [
        f"<CustomAction {attrs(Id='KeepInstalledLanguage', Property='LANGUAGE', Value='[INSTALLED_LANGUAGE]')}/>",
        f"<CustomAction {attrs(Id='NoteUiLanguage', BinaryKey='SetupActions', DllEntry='NoteUiLanguage', Execute='immediate', Return='ignore')}/>",
        f"<CustomAction {attrs(Id='UiLanguage', Property='LANGUAGE', Value='[UILANGUAGE]')}/>",
        f"<CustomAction {attrs(Id='DefaultLanguage', Property='LANGUAGE', Value=DEFAULT_LANGUAGE)}/>",
    ]
    # Right after AppSearch (50), which finds the installed language.
    sequence = [
        ("KeepInstalledLanguage", "INSTALLED_LANGUAGE AND NOT LANGUAGE"),
        ("NoteUiLanguage", "NOT LANGUAGE"),
        ("UiLanguage", f"NOT LANGUAGE AND ({one_of('UILANGUAGE', LANGUAGE_TAGS)})"),
        ("DefaultLanguage", "NOT LANGUAGE"),
    ]
    for prop, english in captions:
        for language, caption in GROUP_CAPTIONS[english].items():
            action = f"{prop}_{language}"
            actions.append(f"<CustomAction {attrs(Id=action, Property=prop, Value=literal(caption))}/>")
            values = [v for v, lang in LANGUAGE_VALUES.items() if lang == language]
            sequence.append((action, one_of("LANGUAGE", values)))
    return actions, sequence


def tree_files(tessalo):
    """Relative paths of every file of the Tessalo folder."""
    out = []
    for folder, dirs, names in os.walk(tessalo):
        dirs.sort()
        for name in sorted(names):
            out.append(os.path.relpath(os.path.join(folder, name), tessalo).replace(os.sep, "/"))
    return out


def directories_xml(paths, indent):
    """Nested Directory elements for the folders of `paths` below INSTALLDIR."""
    tree = {}
    for p in paths:
        node = tree
        for part in p.split("/")[:-1]:
            node = node.setdefault(part, {})

    def emit(node, prefix, depth):
        lines = []
        for name in sorted(node):
            rel = f"{prefix}{name}"
            pad = " " * (indent + 2 * depth)
            lines.append(f"{pad}<Directory {attrs(Id=ident('dir', rel), Name=name)}>")
            lines += emit(node[name], rel + "/", depth + 1)
            lines.append(f"{pad}</Directory>")
        return lines

    return emit(tree, "", 0)


def directory_of(rel):
    folder = rel.rpartition("/")[0]
    return ident("dir", folder) if folder else "INSTALLDIR"


def file_component(rel, source, out_dir, extra=()):
    # wixl takes sources relative to the folder it runs in: the one of the WiX source.
    source = os.path.relpath(source, out_dir)
    lines = [f"<DirectoryRef {attrs(Id=directory_of(rel))}>",
             f"  <Component {attrs(Id=ident('cmp', rel), Guid=guid(rel))}>",
             f"    <File {attrs(Id=ident('file', rel), Name=rel.rpartition('/')[2], Source=source, KeyPath='yes')}/>"]
    lines += ["    " + e for e in extra]
    lines += ["  </Component>", "</DirectoryRef>"]
    return ident("cmp", rel), lines


def custom_actions(setup_dll, shipped_tables, captions):
    """Uninstall, also the older version's on upgrade, removes the tables still as
    shipped (setup_actions.cpp). Installing the same version again repairs what is
    missing. An upgrade keeps the installed language and folder unless LANGUAGE or
    INSTALLDIR is given; a repair and an uninstall find the folder where it was.
    A LANGUAGE that is none of LANGUAGE_VALUES is refused before anything is installed."""
    removing = 'REMOVE="ALL"'
    unknown_language = f'NOT {removing} AND NOT ({one_of("LANGUAGE", LANGUAGE_VALUES)})'
    # Installer formatted text: [LANGUAGE] is the value given.
    refusal = (f"LANGUAGE=[LANGUAGE] is not a language of {PRODUCT}: give one of {', '.join(LANGUAGE_VALUES)} "
               "(as written: case matters). Nothing was installed.")
    data = "|".join(["[INSTALLDIR]"] + shipped_tables)
    actions, sequence = language_actions(captions)
    sequence.append(("KeepInstalledFolder", "INSTALLED_DIR AND NOT INSTALLDIR"))
    # A LANGUAGE the component would not find is refused before anything is installed.
    sequence += [("SetRefusal", unknown_language), ("RefuseInstall", unknown_language)]
    sequence += package_setting_sequence()
    first_after_app_search = 51
    return [
        f"<Binary {attrs(Id='SetupActions', SourceFile=setup_dll)}/>",
        f"<CustomAction {attrs(Id='RemoveUnchangedTables', BinaryKey='SetupActions', DllEntry='RemoveUnchangedTables', Execute='deferred', Impersonate='no', Return='ignore')}/>",
        f"<CustomAction {attrs(Id='SetRemoveUnchangedTablesData', Property='RemoveUnchangedTables', Value=data)}/>",
        f"<CustomAction {attrs(Id='RepairWhenInstalledAgain', Property='REINSTALL', Value='ALL')}/>",
        *actions,
        f"<CustomAction {attrs(Id='KeepInstalledFolder', Property='INSTALLDIR', Value='[INSTALLED_DIR]')}/>",
        f"<CustomAction {attrs(Id='SetRefusal', Property='REFUSAL', Value=refusal)}/>",
        f"<CustomAction {attrs(Id='RefuseInstall', BinaryKey='SetupActions', DllEntry='RefuseInstall', Return='check')}/>",
        *package_setting_actions(),
        "<InstallExecuteSequence>",
        *(f"  <Custom {attrs(Action=action, Sequence=first_after_app_search + i)}>{escape(condition)}</Custom>"
          for i, (action, condition) in enumerate(sequence)),
        f"  <Custom {attrs(Action='RepairWhenInstalledAgain', Before='CostInitialize')}>Installed AND NOT REMOVE AND NOT REINSTALL</Custom>",
        f"  <Custom {attrs(Action='SetRemoveUnchangedTablesData', Before='InstallInitialize')}>{escape(removing)}</Custom>",
        # Deferred, so inside the install script: just before RemoveFiles (3500).
        f"  <Custom {attrs(Action='RemoveUnchangedTables', Sequence='3499')}>{escape(removing)}</Custom>",
        "</InstallExecuteSequence>",
    ]


def package_setting_actions():
    """For each package setting: keep the installed value, or take the default."""
    out = []
    for name, prop, default in PACKAGE_SETTINGS:
        out += [f"<CustomAction {attrs(Id='KeepInstalled' + name, Property=prop, Value=f'[INSTALLED_{prop}]')}/>",
                f"<CustomAction {attrs(Id='Default' + name, Property=prop, Value=literal(default))}/>"]
    return out


def package_setting_sequence():
    """The property on the command line wins, then the installed value, then the default."""
    out = []
    for name, prop, _ in PACKAGE_SETTINGS:
        out += [("KeepInstalled" + name, f"INSTALLED_{prop} AND NOT {prop}"), ("Default" + name, f"NOT {prop}")]
    return out


def package_setting_searches():
    """The installed values, read back from the registry before an upgrade."""
    out = []
    for name, prop, _ in PACKAGE_SETTINGS:
        out += [f"    <Property {attrs(Id='INSTALLED_' + prop)}>",
                f"      <RegistrySearch {attrs(Id='Installed' + name, Root='HKLM', Key=PRODUCT_KEY, Name=name, Type='raw')}/>",
                "    </Property>"]
    return out


def wxs(args):
    tessalo = os.path.join(args.tree, "Tessalo")
    tables = tree_files(tessalo)
    out_dir = os.path.dirname(os.path.abspath(args.out))
    components, body = [], []

    registry = [f"<RegistryValue {attrs(Root='HKCR', Key=k, Name=n, Value=d, Type='string')}/>" if n else
                f"<RegistryValue {attrs(Root='HKCR', Key=k, Value=d, Type='string')}/>"
                for k, n, d in registration_entries()]
    for rel, source, extra in [(SERVER_DLL, os.path.join(args.bin, SERVER_DLL), registry),
                               (CHECKER_EXE, os.path.join(args.bin, CHECKER_EXE), ()),
                               ("ReadMe.txt", args.readme, ())]:
        cid, lines = file_component(rel, source, out_dir, extra)
        components.append(cid)
        body += lines
    table_components, shipped_tables = [], []
    for rel in tables:
        source = os.path.join(tessalo, *rel.split("/"))
        cid, lines = file_component(rel, source, out_dir)
        components.append(cid)
        body += lines
        if rel.endswith(TABLE_SUFFIXES):
            table_components.append(cid)
            with open(source, "rb") as f:
                shipped_tables.append(rel.replace("/", "\\") + ";" + hashlib.md5(f.read()).hexdigest())

    settings = []
    for root, key, name, value in settings_values(os.path.join(args.tree, "Tessalo.reg")):
        settings.append(f"    <RegistryValue {attrs(Root=root, Key=key, Name=name, Value=value, Type='string')}/>")
    body += ["<DirectoryRef Id=\"INSTALLDIR\">",
             f"  <Component {attrs(Id='cmp_settings', Guid=guid('settings'))}>"]
    for name, value in ((INSTALL_DIR_VALUE, "[INSTALLDIR]"), (PRODUCT_CODE_VALUE, "[ProductCode]")):
        settings.append(f"    <RegistryValue {attrs(Root='HKLM', Key=PRODUCT_KEY, Name=name, Value=value, Type='string')}/>")
    settings += [f"    <RegistryValue {attrs(Root='HKLM', Key=PRODUCT_KEY, Name=name, Value=f'[{prop}]', Type='string')}/>"
                 for name, prop, _ in PACKAGE_SETTINGS]
    body += [settings[0].replace("/>", " KeyPath=\"yes\"/>", 1)] + settings[1:]
    body += ["  </Component>", "</DirectoryRef>",
             f"<DirectoryRef {attrs(Id='PREFERENCESDIR')}>",
             f"  <Component {attrs(Id='cmp_preferences', Guid=guid(PREFERENCES_FOLDER))}>",
             "    <CreateFolder/>",
             "  </Component>",
             "</DirectoryRef>"]
    components += ["cmp_settings", "cmp_preferences"]
    captions = group_captions(os.path.join(args.tree, "Tessalo.reg"))
    body += [f"<Property {attrs(Id=prop, Value=english)}/>" for prop, english in captions]
    body += custom_actions(os.path.relpath(os.path.join(args.bin, SETUP_ACTIONS_DLL), out_dir), shipped_tables,
                           captions)

    folders = directories_xml(tables, 14)
    out = [
        '<?xml version="1.0" encoding="utf-8"?>',
        "<!-- Written by tools/package/make_wxs.py; do not edit. -->",
        '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
        f"  <Product {attrs(Id='*', Name=PRODUCT, Language='1033', Version=args.version, Manufacturer=MANUFACTURER, UpgradeCode=UPGRADE_CODE)}>",
        f"    <Package {attrs(InstallerVersion='500', Compressed='yes', InstallScope='perMachine', Description=f'{PRODUCT} {args.version}', Manufacturer=MANUFACTURER)}/>",
        '    <Media Id="1" Cabinet="product.cab" EmbedCab="yes"/>',
        f"    <MajorUpgrade {attrs(DowngradeErrorMessage=f'A newer version of {PRODUCT} is already installed.')}/>",
        f"    <Property {attrs(Id='INSTALLED_LANGUAGE')}>",
        f"      <RegistrySearch {attrs(Id='InstalledLanguage', Root='HKLM', Key=FAMILY_KEY, Name='Language', Type='raw')}/>",
        "    </Property>",
        *package_setting_searches(),
        f"    <Property {attrs(Id='INSTALLED_DIR')}>",
        f"      <RegistrySearch {attrs(Id='InstalledFolder', Root='HKLM', Key=PRODUCT_KEY, Name=INSTALL_DIR_VALUE, Type='raw')}/>",
        "    </Property>",
        '    <Property Id="ARPNOMODIFY" Value="1"/>',
        '    <Directory Id="TARGETDIR" Name="SourceDir">',
        '      <Directory Id="ProgramFilesFolder">',
        f"        <Directory {attrs(Id='dir_manufacturer', Name=MANUFACTURER)}>",
        '          <Directory Id="INSTALLDIR" Name="Tessalo">',
        f"            <Directory {attrs(Id='PREFERENCESDIR', Name=PREFERENCES_FOLDER)}/>",
    ]
    out += folders
    out += ["          </Directory>", "        </Directory>", "      </Directory>", "    </Directory>"]
    out += ["    " + line for line in body]
    out += [f"    <Feature {attrs(Id='Complete', Title=PRODUCT, Level='1')}>"]
    out += [f"      <ComponentRef {attrs(Id=c)}/>" for c in components]
    out += ["    </Feature>", "  </Product>", "</Wix>", ""]
    return "\n".join(out), table_components


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--version", required=True)
    ap.add_argument("--tree", required=True, help="install tree holding Tessalo.reg and Tessalo/")
    ap.add_argument("--bin", required=True, help="folder of Zelvacorin.dll and zelva-tables.exe")
    ap.add_argument("--readme", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--tables", required=True, help="file to list the table components in, one a line")
    args = ap.parse_args()
    text, table_components = wxs(args)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(text)
    with open(args.tables, "w", encoding="ascii") as f:
        f.write("".join(c + "\n" for c in table_components))


if __name__ == "__main__":
    main()

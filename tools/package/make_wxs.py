#!/usr/bin/env python3
"""Write the WiX source of the Zelvacorin package (built by wixl; see package.sh).

The package installs, per machine, for one architecture (x86: the 32-bit DLL into
[ProgramFilesFolder]Ombrivale\\Tessalo; x64: the 64-bit one into
[ProgramFiles64Folder]Ombrivale\\Tessalo), the folder moved by INSTALLDIR on the msiexec
command line:

  Zelvacorin.dll, registered through the package's own registry entries, which come
      from windows/server/registration.tsv, the table DllRegisterServer writes too;
  zelva-tables.exe, the table checker, and ReadMe.txt;
  ZelvacorinSetup.dll, not installed: it finds the machine's user-interface
      language, and on uninstall it removes the tables still as shipped, so only
      the tables an administrator changed are left;
  the install tree's Tessalo folder: the thread tables and the texture picture;
  ReadMe.txt, from a template whose @NAME@ markers name the architecture's folder,
      registry view, package and product;
  the settings of install/Tessalo.reg in the architecture's registry view, with ApplDir the
      install folder, Language from the LANGUAGE property (by default the machine's
      user-interface language), the tab captions in that language and the
      preferences file in a folder of its own, the one place users may write.

Every table file is a component of its own, so that package.sh can mark it never
to be overwritten and permanent (wixl ignores both attributes), as it marks the
registration's shared values permanent, for the action that removes them only when
the other architecture no longer uses them (see Registration); component identifiers are derived
from the installed path, so that every version of the package shares them.

Usage:
  make_wxs.py [--arch x86|x64] --version X.Y.Z --tree INSTALL_TREE --bin DIR --readme TEMPLATE
              --out FILE.wxs --attributes FILE
"""

import argparse
import hashlib
import os
import re
import sys
import uuid
from dataclasses import dataclass
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
REGISTRATION_TABLE = os.path.join(REPO, "windows", "server", "registration.tsv")
ARCHITECTURE_VIEW_KEYS = ("CLSID\\", "Interface\\")  # kept once per architecture by Windows
# Component attributes: wixl sets the 64-bit one alone, package.sh the others.
PERMANENT, NEVER_OVERWRITTEN, COMPONENT_64_BIT = 16, 128, 256

MANUFACTURER = "Ombrivale"
PRODUCT = "Zelvacorin"


@dataclass(frozen=True)
class Architecture:
    """What tells the package of one architecture from the other's."""
    product: str                    # its name among the installed programs
    upgrade_code: str
    component_namespace: uuid.UUID  # component identifiers: the installed path's uuid5 in it
    program_files: str              # the installer's folder property it installs below
    syskind: str                    # the type library's platform key, for [SYSKIND]
    win64: bool                     # components and registry searches in the 64-bit view
    readme: dict                    # the ReadMe template's markers


# The x86 package keeps the identifiers every earlier version had, so that upgrades
# from them go on working. The x64 package has its own: the two may be installed side
# by side, and Windows Installer tells components apart by identifier alone.
ARCHITECTURES = {
    "x86": Architecture(PRODUCT, "6A1C3C52-5D0F-4B8E-9E55-1F0C2B7D4E81",
                        uuid.UUID("3F8B7E0A-6C1D-4F2B-8E3A-9D5C4B2A1E70"), "ProgramFilesFolder", "win32", False, {
                            "FOLDER": 'on 64-bit Windows "%ProgramFiles(x86)%\\Ombrivale\\Tessalo", on 32-bit\n'
                                      'Windows "%ProgramFiles%\\Ombrivale\\Tessalo"',
                            "PROGRAMFILES": "%ProgramFiles(x86)%",
                            "VIEW": "32-bit view (on 64-bit Windows: reg query ... /reg:32)",
                            "REG": "/reg:32",
                            "PACKAGE": "Zelvacorin-VERSION.msi",
                        }),
    "x64": Architecture(PRODUCT + " (64-bit)", "F5A05C35-3329-4AE0-8659-0537DB883174",
                        uuid.UUID("4E6B1C99-A5C1-4BDF-A423-6E743BBD9633"), "ProgramFiles64Folder", "win64", True, {
                            "FOLDER": '"%ProgramFiles%\\Ombrivale\\Tessalo"',
                            "PROGRAMFILES": "%ProgramFiles%",
                            "VIEW": "64-bit view (reg query ... /reg:64)",
                            "REG": "/reg:64",
                            "PACKAGE": "Zelvacorin-VERSION-x64.msi",
                        }),
}
SERVER_DLL = "Zelvacorin.dll"
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


def guid(arch, text):
    return str(uuid.uuid5(arch.component_namespace, text)).upper()


def attrs(**values):
    return " ".join(f"{k}={quoteattr(str(v))}" for k, v in values.items())


def registration_rows(arch):
    """(key, name, data) rows of registration.tsv, [SYSKIND] the architecture's; a key
    alone has name and data None."""
    rows = []
    with open(REGISTRATION_TABLE, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = [field.replace("[SYSKIND]", arch.syskind) for field in line.split("\t")]
            if len(fields) not in (1, 3):
                sys.exit(f"{REGISTRATION_TABLE}: not key, name, data: {line!r}")
            rows.append(tuple(fields) if len(fields) == 3 else (fields[0], None, None))
    return rows


class Registration:
    """The registration split as the 32-bit and the 64-bit one share it. Windows keeps
    the class and interface keys once per architecture and shares the rest: the
    type library's paths for the architecture's platform (the values naming the DLL)
    are its own too; the ProgIDs and the type library's other values are shared."""

    def __init__(self, arch):
        rows = registration_rows(arch)
        keys = list(dict.fromkeys(key for key, _, _ in rows))
        values = [r for r in rows if r[1] is not None]
        own = [r for r in values if in_architecture_view(r[0]) or "[DLL]" in r[2]]
        self.own = [installer_values(r) for r in own]
        self.shared = [installer_values(r) for r in values if r not in own]
        # The keys below which the shared values lie, which no other key of the table holds.
        self.shared_roots = [k for k in keys if not in_architecture_view(k)
                             and not any(k.startswith(other + "\\") for other in keys)]
        # The type library's locale keys, which hold only the platforms' paths.
        self.locales = list(dict.fromkeys(key.rpartition("\\")[0] for key, _, data in own
                                          if not in_architecture_view(key)))


def in_architecture_view(key):
    return key.startswith(ARCHITECTURE_VIEW_KEYS)


def classes_values(rows):
    """RegistryValue elements below HKEY_CLASSES_ROOT."""
    return [f"<RegistryValue {attrs(Root='HKCR', Key=k, Name=n, Value=d, Type='string')}/>" if n else
            f"<RegistryValue {attrs(Root='HKCR', Key=k, Value=d, Type='string')}/>" for k, n, d in rows]


def installer_values(row):
    """A registration row with [DLL] and [DIR] as installer formats."""
    key, name, data = row
    return key, name, data.replace("[DLL]", f"[#{ident('file', SERVER_DLL)}]").replace("[DIR]", "[INSTALLDIR]")


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


def component(arch, ident_, guid_text):
    """A Component element's opening tag, in the architecture's registry view."""
    win64 = {"Win64": "yes"} if arch.win64 else {}
    return f"<Component {attrs(Id=ident_, Guid=guid(arch, guid_text), **win64)}>"


def file_component(arch, rel, source, out_dir, extra=()):
    # wixl takes sources relative to the folder it runs in: the one of the WiX source.
    source = os.path.relpath(source, out_dir)
    lines = [f"<DirectoryRef {attrs(Id=directory_of(rel))}>",
             "  " + component(arch, ident("cmp", rel), rel),
             f"    <File {attrs(Id=ident('file', rel), Name=rel.rpartition('/')[2], Source=source, KeyPath='yes')}/>"]
    lines += ["    " + e for e in extra]
    lines += ["  </Component>", "</DirectoryRef>"]
    return ident("cmp", rel), lines


def custom_actions(setup_dll, shipped_tables, captions, registration):
    """Uninstall, also the older version's on upgrade, removes the tables still as
    shipped, and the registration's shared keys unless the other architecture's
    type-library path is left (setup_actions.cpp). Installing the same version again repairs what is
    missing. An upgrade keeps the installed language and folder unless LANGUAGE or
    INSTALLDIR is given; a repair and an uninstall find the folder where it was.
    A LANGUAGE that is none of LANGUAGE_VALUES is refused before anything is installed."""
    removing = 'REMOVE="ALL"'
    unknown_language = f'NOT {removing} AND NOT ({one_of("LANGUAGE", LANGUAGE_VALUES)})'
    # Installer formatted text: [LANGUAGE] is the value given.
    refusal = (f"LANGUAGE=[LANGUAGE] is not a language of {PRODUCT}: give one of {', '.join(LANGUAGE_VALUES)} "
               "(as written: case matters). Nothing was installed.")
    data = "|".join(["[INSTALLDIR]"] + shipped_tables)
    shared_data = "|".join([";".join(registration.locales)] + registration.shared_roots)
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
        f"<CustomAction {attrs(Id='RemoveSharedRegistration', BinaryKey='SetupActions', DllEntry='RemoveSharedRegistration', Execute='deferred', Impersonate='no', Return='ignore')}/>",
        f"<CustomAction {attrs(Id='SetRemoveSharedRegistrationData', Property='RemoveSharedRegistration', Value=literal(shared_data))}/>",
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
        f"  <Custom {attrs(Action='SetRemoveSharedRegistrationData', Before='InstallInitialize')}>{escape(removing)}</Custom>",
        # Right after RemoveRegistryValues (2600), which removed this platform's paths.
        f"  <Custom {attrs(Action='RemoveSharedRegistration', Sequence='2601')}>{escape(removing)}</Custom>",
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


def installed_value_searches(arch):
    """The installed values, read back from the architecture's registry view before an
    upgrade, a repair or an uninstall: property, search, key, value name."""
    searches = [("INSTALLED_LANGUAGE", "InstalledLanguage", FAMILY_KEY, "Language")]
    searches += [("INSTALLED_" + prop, "Installed" + name, PRODUCT_KEY, name) for name, prop, _ in PACKAGE_SETTINGS]
    searches.append(("INSTALLED_DIR", "InstalledFolder", PRODUCT_KEY, INSTALL_DIR_VALUE))
    win64 = {"Win64": "yes"} if arch.win64 else {}
    out = []
    for prop, search, key, name in searches:
        out += [f"    <Property {attrs(Id=prop)}>",
                f"      <RegistrySearch {attrs(Id=search, Root='HKLM', Key=key, Name=name, Type='raw', **win64)}/>",
                "    </Property>"]
    return out


def readme(arch, template, out):
    """The ReadMe for the architecture: the template with its @NAME@ markers filled."""
    with open(template, encoding="utf-8") as f:
        text = f.read()
    for marker, value in arch.readme.items():
        text = text.replace(f"@{marker}@", value)
    text = text.replace("@PRODUCT@", arch.product)
    left = sorted(set(re.findall(r"@[A-Z]+@", text)))
    if left:
        sys.exit(f"{template}: markers without a value: {left}")
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


def wxs(args):
    arch = ARCHITECTURES[args.arch]
    tessalo = os.path.join(args.tree, "Tessalo")
    tables = tree_files(tessalo)
    out_dir = os.path.dirname(os.path.abspath(args.out))
    components, body = [], []

    registration = Registration(arch)
    registry = classes_values(registration.own)
    readme_file = os.path.join(out_dir, "ReadMe.txt")
    readme(arch, args.readme, readme_file)
    for rel, source, extra in [(SERVER_DLL, os.path.join(args.bin, SERVER_DLL), registry),
                               (CHECKER_EXE, os.path.join(args.bin, CHECKER_EXE), ()),
                               ("ReadMe.txt", readme_file, ())]:
        cid, lines = file_component(arch, rel, source, out_dir, extra)
        components.append(cid)
        body += lines
    set_attributes, shipped_tables = [], []
    win64 = COMPONENT_64_BIT if arch.win64 else 0
    for rel in tables:
        source = os.path.join(tessalo, *rel.split("/"))
        cid, lines = file_component(arch, rel, source, out_dir)
        components.append(cid)
        body += lines
        if rel.endswith(TABLE_SUFFIXES):
            set_attributes.append((cid, NEVER_OVERWRITTEN + PERMANENT + win64))
            with open(source, "rb") as f:
                shipped_tables.append(rel.replace("/", "\\") + ";" + hashlib.md5(f.read()).hexdigest())

    settings = []
    for root, key, name, value in settings_values(os.path.join(args.tree, "Tessalo.reg")):
        settings.append(f"    <RegistryValue {attrs(Root=root, Key=key, Name=name, Value=value, Type='string')}/>")
    body += ["<DirectoryRef Id=\"INSTALLDIR\">",
             "  " + component(arch, "cmp_settings", "settings")]
    for name, value in ((INSTALL_DIR_VALUE, "[INSTALLDIR]"), (PRODUCT_CODE_VALUE, "[ProductCode]")):
        settings.append(f"    <RegistryValue {attrs(Root='HKLM', Key=PRODUCT_KEY, Name=name, Value=value, Type='string')}/>")
    settings += [f"    <RegistryValue {attrs(Root='HKLM', Key=PRODUCT_KEY, Name=name, Value=f'[{prop}]', Type='string')}/>"
                 for name, prop, _ in PACKAGE_SETTINGS]
    body += [settings[0].replace("/>", " KeyPath=\"yes\"/>", 1)] + settings[1:]
    body += ["  </Component>", "</DirectoryRef>",
             f"<DirectoryRef {attrs(Id='PREFERENCESDIR')}>",
             "  " + component(arch, "cmp_preferences", PREFERENCES_FOLDER),
             "    <CreateFolder/>",
             "  </Component>",
             "</DirectoryRef>"]
    shared = classes_values(registration.shared)
    body += ["<DirectoryRef Id=\"INSTALLDIR\">",
             "  " + component(arch, "cmp_shared_registration", "shared registration"),
             "    " + shared[0].replace("/>", " KeyPath=\"yes\"/>", 1), *("    " + v for v in shared[1:]),
             "  </Component>", "</DirectoryRef>"]
    components += ["cmp_settings", "cmp_preferences", "cmp_shared_registration"]
    set_attributes.append(("cmp_shared_registration", PERMANENT + win64))
    captions = group_captions(os.path.join(args.tree, "Tessalo.reg"))
    body += [f"<Property {attrs(Id=prop, Value=english)}/>" for prop, english in captions]
    body += custom_actions(os.path.relpath(os.path.join(args.bin, SETUP_ACTIONS_DLL), out_dir), shipped_tables,
                           captions, registration)

    folders = directories_xml(tables, 14)
    out = [
        '<?xml version="1.0" encoding="utf-8"?>',
        "<!-- Written by tools/package/make_wxs.py; do not edit. -->",
        '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
        f"  <Product {attrs(Id='*', Name=arch.product, Language='1033', Version=args.version, Manufacturer=MANUFACTURER, UpgradeCode=arch.upgrade_code)}>",
        f"    <Package {attrs(InstallerVersion='500', Compressed='yes', InstallScope='perMachine', Description=f'{arch.product} {args.version}', Manufacturer=MANUFACTURER)}/>",
        '    <Media Id="1" Cabinet="product.cab" EmbedCab="yes"/>',
        f"    <MajorUpgrade {attrs(DowngradeErrorMessage=f'A newer version of {arch.product} is already installed.')}/>",
        *installed_value_searches(arch),
        '    <Property Id="ARPNOMODIFY" Value="1"/>',
        '    <Directory Id="TARGETDIR" Name="SourceDir">',
        f"      <Directory {attrs(Id=arch.program_files)}>",
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
    return "\n".join(out), set_attributes


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--arch", choices=ARCHITECTURES, default="x86")
    ap.add_argument("--version", required=True)
    ap.add_argument("--tree", required=True, help="install tree holding Tessalo.reg and Tessalo/")
    ap.add_argument("--bin", required=True, help="folder of Zelvacorin.dll and zelva-tables.exe")
    ap.add_argument("--readme", required=True, help="the ReadMe.txt template")
    ap.add_argument("--out", required=True)
    ap.add_argument("--attributes", required=True,
                    help="file to list the components whose attributes wixl cannot set in: component, tab, attributes")
    args = ap.parse_args()
    text, set_attributes = wxs(args)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(text)
    with open(args.attributes, "w", encoding="ascii") as f:
        f.write("".join(f"{c}\t{a}\n" for c, a in set_attributes))


if __name__ == "__main__":
    main()

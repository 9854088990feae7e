"""What the engine tests share: the .NET SDK's offline build of a VB.NET
project, and Wine's cscript running a script to its end."""
import os
import shutil
import subprocess
from pathlib import Path

SKIPPED = 77
FIELD = "|#|"  # between prompt, buttons and title in a record
RECORD_END = "|##|"

VBNET_PROJECT = """<Project Sdk="Microsoft.NET.Sdk">
  <PropertyGroup>
    <OutputType>Exe</OutputType>
    <TargetFramework>net10.0</TargetFramework>
    <OptionStrict>On</OptionStrict>
    <OptionExplicit>On</OptionExplicit>
    <OptionInfer>Off</OptionInfer>
    <TreatWarningsAsErrors>true</TreatWarningsAsErrors>
    <RootNamespace>EngineCheck</RootNamespace>
  </PropertyGroup>
</Project>
"""
# No package source: the build takes what the SDK ships, offline.
NUGET_CONFIG = """<?xml version="1.0" encoding="utf-8"?>
<configuration><packageSources><clear /></packageSources></configuration>
"""

# Wine's cscript says nothing of a syntax error and exits 0: a script that
# ran to its end says so.
MARKER = "SCRIPT-RAN-TO-ITS-END"


def new_vbnet_project(project, sources):
    """A fresh project folder holding SOURCES (file name -> text)."""
    shutil.rmtree(project, ignore_errors=True)
    project.mkdir(parents=True)
    (project / "EngineCheck.vbproj").write_text(VBNET_PROJECT)
    (project / "NuGet.config").write_text(NUGET_CONFIG)
    for name, text in sources.items():
        (project / name).write_bytes(text.encode("utf-8"))


def dotnet_environment(project):
    return dict(os.environ, DOTNET_CLI_TELEMETRY_OPTOUT="1", DOTNET_NOLOGO="1",
                DOTNET_SKIP_FIRST_TIME_EXPERIENCE="1", DOTNET_CLI_HOME=str(project / "home"),
                NUGET_PACKAGES=str(project / "packages"))


def build_vbnet(dotnet, project):
    """Builds the project; None when it compiled, else the compiler's words."""
    build = subprocess.run([dotnet, "build", "-nologo", "-v", "q", "-o", str(project / "out")],
                           cwd=project, env=dotnet_environment(project), capture_output=True,
                           text=True)
    return None if build.returncode == 0 else build.stdout + build.stderr


def run_vbnet(dotnet, project, arguments):
    subprocess.run([dotnet, str(project / "out" / "EngineCheck.dll")] + arguments,
                   env=dotnet_environment(project), check=True, timeout=120)


def prepare_wine():
    """Makes $WINEPREFIX ready where the test has its own, and starts one Wine
    server for all the scripts rather than one for each."""
    if "WINEPREFIX" in os.environ:
        subprocess.run(["bash", str(Path(__file__).parent.parent / "e2e" / "wine-prefix.sh")],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-p"], check=True)


def stop_wine():
    subprocess.run(["wineserver", "-k"])


def run_cscript(wine, folder, name):
    """Runs the script FOLDER/NAME; True when it ran to its end, which it
    says by echoing MARKER."""
    # A leading "/" would read as an option: the script by its relative name.
    # Into a file, not a pipe: Wine's helper processes would hold a pipe open.
    echoed = folder / (name + ".echo")
    with open(echoed, "wb") as stdout:
        subprocess.run([wine, "cscript", "//nologo", name], cwd=folder, stdout=stdout,
                       stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, timeout=120)
    return MARKER in echoed.read_bytes().decode("cp1252", errors="replace")

@echo off
REM Converts a Tarnwick log into a Corvane import file of the same name with .asc, beside the log.
REM Drop the log (.dbf) on this file in Explorer, or double-click this file and give the log's path.
REM
REM Paths stay in quotes everywhere, and messages that show a path are reached by goto rather than
REM put inside if (...) blocks: a bracket in a folder's name would end such a block early. (Wine's
REM cmd, which the tests run this under, even takes a bracket after a plain if for a block.)
setlocal EnableExtensions DisableDelayedExpansion

set "log="
if "%~1"=="" goto programs
if not "%~2"=="" goto many_logs
REM The full path is taken before the folder changes below, so that a name relative to the folder
REM the window was started in still finds the log.
set "log=%~f1"

:programs
REM Explorer starts a dropped-on file in the user's folder or in System32; the programs read
REM dxcc.txt from the current folder, so work in this file's own folder. pushd, unlike cd, also
REM copes with a network folder (\\server\share), for which it lends a drive letter until popd.
pushd "%~dp0"
if not exist "tarnwick2corvane.exe" goto incomplete
if not exist "tarnwick2corvane-check.exe" goto incomplete
if not exist "dxcc.txt" goto incomplete
if defined log goto have_log

echo Drag the Tarnwick log (.dbf) into this window, or type its full path, then press Enter.
REM At the end of the input set /p returns with log unset, so nothing waits for ever.
set /p "log=Log: "
if not defined log goto no_log_given
REM A path dragged into the window comes in quotes when it holds a blank; they are no part of it.
set "log=%log:"=%"
:trim
if not defined log goto no_log_given
if "%log:~-1%"==" " set "log=%log:~0,-1%" & goto trim
if "%log:~0,1%"==" " set "log=%log:~1%" & goto trim

:have_log
REM No file's name holds * or ?, and the for below would take them for a pattern of names.
if not "%log:?=%"=="%log%" goto not_found
if not "%log:**=%"=="%log%" goto not_found
for %%I in ("%log%") do set "log=%%~fI"
if not exist "%log%" goto not_found
REM One for per variable: Wine's cmd runs only the first command of "do a & b" in the loop. The
REM trailing - keeps the attributes defined when the name does not exist.
for %%I in ("%log%") do set "log_attributes=%%~aI-"
for %%I in ("%log%") do set "out=%%~dpnI.asc"
if "%log_attributes:~0,1%"=="d" goto log_is_folder
if /i "%log%"=="%out%" goto log_is_import_file
for %%I in ("%out%") do set "out_attributes=%%~aI-"
if "%out_attributes:~0,1%"=="d" goto out_is_folder

echo.
echo Checking "%log%" against dxcc.txt:
REM The check prints its findings on standard output only once it has read the whole log and
REM dxcc.txt, so no line there means it stopped on an error, which it printed on standard error.
REM All clear is two lines (the field layout, the countries); every finding adds a line.
set "check_lines=0"
for /f "usebackq delims=" %%L in (`.\tarnwick2corvane-check.exe "%log%"`) do (
    echo.%%L
    set /a check_lines+=1 >nul
)
if %check_lines%==0 goto check_failed
if %check_lines% GTR 2 goto advice
goto ask

:advice
echo What the check found is advice, which README.TXT explains; it does not stop the conversion.

:ask
if not exist "%out%" goto convert
echo.
echo "%out%" exists already.
REM Anything but an answer starting with Y, also no answer at the end of the input, keeps it.
set "answer=?"
set /p "answer=Replace it? Type Y and press Enter to replace it, or just press Enter to keep it: "
set "answer=%answer:"=%?"
if /i "%answer:~0,1%"=="y" goto convert
echo.
echo Nothing was converted: "%out%" is kept as it was.
goto end

:convert
echo.
echo Converting "%log%" into "%out%":
.\tarnwick2corvane.exe "%log%" "%out%"
set "code=%errorlevel%"
echo.
if "%code%"=="0" goto converted
REM A failed run leaves the import file empty or cut short, and importing that would lose
REM contacts without a word: better none at all.
if exist "%out%" del "%out%"
if "%code%"=="1" goto unreadable
if "%code%"=="2" goto unwritable
if "%code%"=="5" goto out_of_memory
echo The converter stopped unexpectedly, with exit code %code%; no import file was made.
goto end

:converted
echo The import file is ready: "%out%". Import it in Corvane.
goto end

:unreadable
echo The log or dxcc.txt could not be read, as the message above says; no import file was made.
goto end

:unwritable
echo The import file could not be written, as the message above says: the disk may be full or the folder read-only. No import file was made.
goto end

:out_of_memory
echo The computer ran out of memory while converting; no import file was made.
goto end

:check_failed
echo The check stopped with the message above, so the log was not converted. README.TXT explains the message.
goto end

:many_logs
echo Drop one log at a time on "%~nx0".
goto end

:incomplete
echo "%~nx0" needs tarnwick2corvane.exe, tarnwick2corvane-check.exe and dxcc.txt beside it, in "%~dp0". Unzip the whole download again and keep them together.
goto end

:no_log_given
echo No log was given. Drop the Tarnwick log (.dbf) on "%~nx0", or double-click it and give the log's path.
goto end

:not_found
echo There is no file "%log%". Drop the Tarnwick log (.dbf) on "%~nx0", or double-click it and give the log's path.
goto end

:log_is_folder
echo "%log%" is a folder. Drop the Tarnwick log (.dbf) itself on "%~nx0".
goto end

:log_is_import_file
echo "%log%" is an import file already. Drop the Tarnwick log (.dbf) on "%~nx0".
goto end

:out_is_folder
echo The import file would be "%out%", but that is a folder: rename it, and convert again.
goto end

:end
echo.
REM Keeps the window open until it has been read; at the end of the input, pause returns.
pause
popd

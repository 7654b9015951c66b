@echo off
rem Fails with return code 8 when the backup volume has less free space than asked for.
rem Usage: checkspace.cmd FOLDER MINIMUM_GB
for /f "tokens=3" %%a in ('dir /-c "%~1" ^| find "bytes free"') do set FREE=%%a
set /a FREE_GB=%FREE:~0,-9%+0
if %FREE_GB% LSS %2 (
  echo Only %FREE_GB% GB free on %~1, %2 GB needed.
  exit /b 8
)
echo %FREE_GB% GB free on %~1.
exit /b 0

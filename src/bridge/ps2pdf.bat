@"%~dp0ps2pdf.exe" %*

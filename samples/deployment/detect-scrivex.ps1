# Detection for an endpoint-management tool: prints "Installed" and exits 0 while the product's
# uninstall key exists (setup.exe deletes it only after a removal that read its whole log).
# setup is a 32-bit program, so on 64-bit Windows the key is in the 32-bit view (WOW6432Node).
$code = '{00000000-0000-0000-0000-000000000000}'
$keys = "HKLM:\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall\$code",
        "HKLM:\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\$code"
if ($keys | Where-Object { Test-Path $_ }) { Write-Output 'Installed'; exit 0 }
exit 1

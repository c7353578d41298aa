# The sample set in one folder on D:, a CD-ROM drive: Continue on the copy page asks for
# no disk (only DISK1 is looked for, in one pass) and the product is installed.

stage_cd
start_from_drive cd d
walk_to_copy_page
drv click "Copiere fisiere Torvex" "&Continua"
drv wait-gone "Copiere fisiere Torvex" 180
expect_product_installed

# The sample set in one folder on D:, a CD-ROM drive: Continue on the copy page asks for
# no disk (only DISK1 is looked for, in one pass) and the product is installed. The
# registry holds no engine key at all: the engine is unpacked as on an empty machine.

source "$E2E_REPO/tests/e2e/copy-page.sh"

without_engine
stage_cd
start_from_drive cd d
walk_to_copy_page
drv click "$COPY_PAGE" "&Continua"
drv wait-gone "$COPY_PAGE" 180
expect_product_installed

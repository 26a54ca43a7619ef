# Shortcuts for ./build.sh, the README's set-up commands.
.PHONY: run test bench deb clean
run:
	@./build.sh run
test:
	@./build.sh test
bench:
	@./build.sh bench
deb:
	@./build.sh deb
clean:
	@rm -rf build

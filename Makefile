# Shortcuts for ./build.sh, the README's set-up commands.
.PHONY: run test bench clean
run:
	@./build.sh run
test:
	@./build.sh test
bench:
	@./build.sh bench
clean:
	@rm -rf build

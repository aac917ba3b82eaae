#!/usr/bin/python3
"""The README's picture of the page: an example stepped in the debug panel, taken
with headless Chromium.  /usr/bin/python3 screenshot.py SITE_DIR OUT.png"""
import sys
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

from browser_test import browser, serve


def main(site, out):
    server = serve(site)
    driver = browser(1280, 800)
    try:
        driver.get(f"http://127.0.0.1:{server.server_address[1]}/index.html")
        WebDriverWait(driver, 20).until(lambda d: d.execute_script("return document.body.dataset.ready === 'true'"))
        Select(driver.find_element(By.ID, "examples")).select_by_value("sum_table.asm")
        driver.find_element(By.ID, "debug").click()
        WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "message").get_attribute("open") is not None)
        driver.find_element(By.ID, "message-ok").click()
        WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "debug-panel").is_displayed())
        for _ in range(6):
            driver.find_element(By.ID, "step").click()
            WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "stop").get_attribute("disabled") is not None)
        time.sleep(0.3)
        driver.save_screenshot(out)
    finally:
        driver.quit()
        server.shutdown()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
